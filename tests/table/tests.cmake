optiphane_add_test(tst_tablemodel SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tablemodel.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_tablecontrols SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tablecontrols.cpp
  LIBS optiphane_ui)
optiphane_add_test(tst_tabledialogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tabledialogs.cpp
  LIBS optiphane_ui)
optiphane_add_test(tst_tableentry SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tableentry.cpp
  LIBS optiphane_ui)
