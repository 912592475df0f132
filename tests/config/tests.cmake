optiphane_add_test(tst_recordfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_recordfile.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_configuration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_configuration.cpp
  LIBS optiphane_core)
target_compile_definitions(tst_configuration PRIVATE
  OPTIPHANE_EXECUTABLE="$<TARGET_FILE:optiphane>")
add_dependencies(tst_configuration optiphane)
optiphane_add_test(tst_configdialogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_configdialogs.cpp
  LIBS optiphane_ui)
