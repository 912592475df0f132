list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/decorative.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folderlists.cpp
)
