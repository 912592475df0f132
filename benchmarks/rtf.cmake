optiphane_add_benchmark(bench_rtf SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_rtf.cpp LIBS optiphane_core)
