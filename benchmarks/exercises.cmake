optiphane_add_benchmark(bench_exercises SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_exercises.cpp
  LIBS optiphane_ui)
target_compile_definitions(bench_exercises PRIVATE OPTIPHANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
