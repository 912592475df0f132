optiphane_add_benchmark(bench_print SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_print.cpp
  LIBS optiphane_ui)
