# The shipped content done as it says: the exercises' first measures, the texts' typography.
optiphane_add_test(tst_exercisemeasures
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_exercisemeasures.cpp LIBS optiphane_ui)
