optiphane_add_benchmark(bench_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp
  LIBS optiphane_ui)
