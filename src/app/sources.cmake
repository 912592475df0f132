list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/experimentsetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/markerfile.cpp
)
list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clicklabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prisme.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismepanels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismeconfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismeicons.cpp
)
