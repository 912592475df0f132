optiphane_add_benchmark(bench_table SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_table.cpp
  LIBS optiphane_core)
