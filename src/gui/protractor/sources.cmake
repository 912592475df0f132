list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/protractorcontrols.cpp
)
