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
