# Tests of the exercises folder.
optiphane_add_test(tst_rtf SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtf.cpp LIBS optiphane_core)
