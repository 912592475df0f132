optiphane_add_test(tst_protractor SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_protractor.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_protractorcontrols
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_protractorcontrols.cpp LIBS optiphane_ui)
