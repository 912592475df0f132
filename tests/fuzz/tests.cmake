# libFuzzer targets: built only with clang and -DOPTIPHANE_FUZZ=ON, never in the normal build.
#   CXX=clang++ cmake -B build-fuzz -DOPTIPHANE_FUZZ=ON && cmake --build build-fuzz
#   build-fuzz/tests/fuzz_configuration tests/config/data
#   build-fuzz/tests/fuzz_rtf CORPUS tests/exercises/data
option(OPTIPHANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(OPTIPHANE_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The code under test is instrumented too, so that the fuzzer sees its branches.
  target_compile_options(optiphane_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  add_executable(fuzz_configuration ${CMAKE_CURRENT_LIST_DIR}/fuzz_configuration.cpp)
  target_link_libraries(fuzz_configuration PRIVATE optiphane_core)
  target_compile_options(fuzz_configuration PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_configuration PRIVATE -fsanitize=fuzzer,address,undefined)
  add_executable(fuzz_rtf ${CMAKE_CURRENT_LIST_DIR}/fuzz_rtf.cpp)
  target_link_libraries(fuzz_rtf PRIVATE optiphane_core)
  target_compile_options(fuzz_rtf PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_rtf PRIVATE -fsanitize=fuzzer,address,undefined)
endif()
