optiphane_add_benchmark(expr_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/expr_bench.cpp LIBS optiphane_core)
