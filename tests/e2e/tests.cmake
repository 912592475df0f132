# The real program under Xvfb, driven with xdotool: it needs the executable and the X tools.
add_executable(tst_endtoend ${CMAKE_CURRENT_LIST_DIR}/tst_endtoend.cpp)
target_link_libraries(tst_endtoend PRIVATE optiphane_core Qt6::Test)
target_include_directories(tst_endtoend PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(tst_endtoend PRIVATE OPTIPHANE_EXECUTABLE="$<TARGET_FILE:optiphane>"
  OPTIPHANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_dependencies(tst_endtoend optiphane)
add_test(NAME tst_endtoend COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
  $<TARGET_FILE:tst_endtoend>)
# See tst_xclipboard about strndup under AddressSanitizer (the program connects to X too).
set_tests_properties(tst_endtoend PROPERTIES TIMEOUT 180 ENVIRONMENT
  "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:intercept_strndup=0")
