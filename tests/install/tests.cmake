# Installing and packaging: a shell script over the build (it needs the whole build done).
add_test(NAME tst_install COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tst_install.sh
  ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(tst_install PROPERTIES TIMEOUT 300)
