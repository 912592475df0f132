optiphane_add_test(tst_numtext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_numtext.cpp LIBS optiphane_core)
