optiphane_add_benchmark(bench_redraw SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_redraw.cpp
  LIBS optiphane_core)
