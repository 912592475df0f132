# Tests of the exercises folder.
optiphane_add_test(tst_rtf SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtf.cpp LIBS optiphane_core)
optiphane_add_test(tst_exercisefile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_exercisefile.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_exercisecontrols SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_exercisecontrols.cpp
  LIBS optiphane_ui)
optiphane_add_test(tst_rtfobjects SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfobjects.cpp
  LIBS optiphane_core)
