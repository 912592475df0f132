optiphane_add_benchmark(bench_protractor SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_protractor.cpp
  LIBS optiphane_core)
