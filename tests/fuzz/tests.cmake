# libFuzzer targets: built only with clang and -DOPTIPHANE_FUZZ=ON, never in the normal build.
# tools/fuzz SECONDS [TARGET...] builds them in build-fuzz/ and runs each with its seeds
# (tests/fuzz/corpus/TARGET) and its dictionary (tests/fuzz/TARGET.dict). By hand:
#   CXX=clang++ cmake -B build-fuzz -DOPTIPHANE_FUZZ=ON && cmake --build build-fuzz --target fuzz_rtf
#   build-fuzz/tests/fuzz_rtf -dict=tests/fuzz/fuzz_rtf.dict CORPUS tests/fuzz/corpus/fuzz_rtf
# What each target checks is in fuzzbodies.h, which tst_fuzzregressions shares.
option(OPTIPHANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(OPTIPHANE_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The code under test is instrumented too, so that the fuzzer sees its branches; whatever links
  # it needs the sanitizers' runtimes.
  target_compile_options(optiphane_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(optiphane_core INTERFACE -fsanitize=address,undefined)

  function(optiphane_add_fuzzer name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE optiphane_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endfunction()

  optiphane_add_fuzzer(fuzz_configuration ${CMAKE_CURRENT_LIST_DIR}/fuzz_configuration.cpp)
  optiphane_add_fuzzer(fuzz_rtf ${CMAKE_CURRENT_LIST_DIR}/fuzz_rtf.cpp)
  optiphane_add_fuzzer(fuzz_expression ${CMAKE_CURRENT_LIST_DIR}/fuzz_expression.cpp)
  optiphane_add_fuzzer(fuzz_numtext ${CMAKE_CURRENT_LIST_DIR}/fuzz_numtext.cpp)
  optiphane_add_fuzzer(fuzz_recordfile ${CMAKE_CURRENT_LIST_DIR}/fuzz_recordfile.cpp)
  optiphane_add_fuzzer(fuzz_exercise ${CMAKE_CURRENT_LIST_DIR}/fuzz_exercise.cpp)
endif()

# Every input that once broke a target (tests/fuzz/regressions/TARGET) and every seed, run through
# the targets' bodies without libFuzzer, in every build.
optiphane_add_test(tst_fuzzregressions SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_fuzzregressions.cpp
  LIBS optiphane_core)
