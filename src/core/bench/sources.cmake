list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/benchdrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lampicon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/materials.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/redraw.cpp
)
