optiphane_add_test(tst_printlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_printlayout.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_confimp SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_confimp.cpp
  LIBS optiphane_ui)
