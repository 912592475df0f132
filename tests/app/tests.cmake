optiphane_add_test(tst_prisme
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_prisme.cpp
  LIBS optiphane_ui)
# The command-line tests run the program itself.
target_compile_definitions(tst_prisme PRIVATE OPTIPHANE_EXECUTABLE="$<TARGET_FILE:optiphane>")
add_dependencies(tst_prisme optiphane)


optiphane_add_test(tst_commandline SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_commandline.cpp
  LIBS Qt6::Core)
target_compile_definitions(tst_commandline PRIVATE
  OPTIPHANE_EXECUTABLE="$<TARGET_FILE:optiphane>")
add_dependencies(tst_commandline optiphane)
optiphane_add_test(tst_clipboard SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_clipboard.cpp
  LIBS optiphane_ui)
# The clipboard across processes: a real X server (Xvfb) and xclip as the program that pastes.
add_executable(tst_xclipboard ${CMAKE_CURRENT_LIST_DIR}/tst_xclipboard.cpp)
target_link_libraries(tst_xclipboard PRIVATE optiphane_ui Qt6::Test)
target_include_directories(tst_xclipboard PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME tst_xclipboard COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
  $<TARGET_FILE:tst_xclipboard>)
# Under AddressSanitizer: the system's libxkbcommon-x11 hands strndup a name that is not
# terminated within its buffer while Qt connects to the X server; that read is the library's,
# so strndup is left unchecked here (everything of ours stays checked).
set_tests_properties(tst_xclipboard PROPERTIES TIMEOUT 120 ENVIRONMENT
  "QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:intercept_strndup=0")
optiphane_add_test(tst_experimentsetup SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_experimentsetup.cpp
  LIBS optiphane_ui)
optiphane_add_test(tst_access SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_access.cpp LIBS optiphane_ui)
# The names as a screen reader reads them: the real program under Xvfb, read back through AT-SPI
# (at-spi2-core, python3-pyatspi) in a D-Bus session the script starts; skipped (77) only when
# no session or accessibility bus can be started. Its X server is looked for from :142 on, so
# that it never races the other tests' xvfb-run for :99 when ctest starts them together.
add_test(NAME tst_atspi COMMAND xvfb-run -a -n 142 -s "-screen 0 1024x768x24"
  /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/atspi_names.py $<TARGET_FILE:optiphane>
  ${CMAKE_SOURCE_DIR}/data)
# See tst_xclipboard about strndup under AddressSanitizer (the program connects to X too).
set_tests_properties(tst_atspi PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 ENVIRONMENT
  "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:intercept_strndup=0")
