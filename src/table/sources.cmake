list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tablemodel.cpp
)
list(APPEND OPTIPHANE_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tablecontrols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rowcountdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formatdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sequencedialog.cpp
)
