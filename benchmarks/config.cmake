optiphane_add_benchmark(bench_config SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_config.cpp
  LIBS optiphane_ui)
