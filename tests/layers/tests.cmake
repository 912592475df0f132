# The layers of DESIGN.md as tools/check-layers sees them, and the check itself on planted faults.
add_test(NAME tst_layers COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tst_layers.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(tst_layers PROPERTIES TIMEOUT 60)
