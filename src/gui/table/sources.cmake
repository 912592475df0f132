list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/arith.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fnblignes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formatdonnees.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tablecontrols.cpp
)
