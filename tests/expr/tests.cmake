optiphane_add_test(tst_expr SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_expr.cpp LIBS optiphane_core)
