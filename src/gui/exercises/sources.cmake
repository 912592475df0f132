list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exercisecontrols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fichexo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statementedit.cpp
)
