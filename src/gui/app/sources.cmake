list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clicklabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prisme.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismeconfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismefocus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismeicons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prismepanels.cpp
)
