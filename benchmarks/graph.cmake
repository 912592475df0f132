optiphane_add_benchmark(bench_graph SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_graph.cpp
  LIBS optiphane_core)
