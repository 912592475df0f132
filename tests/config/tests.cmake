optiphane_add_test(tst_recordfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_recordfile.cpp
  LIBS optiphane_core)
