list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/experimentsetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/markerfile.cpp
)
