optiphane_add_test(tst_helpwindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_helpwindow.cpp
  LIBS optiphane_ui)
