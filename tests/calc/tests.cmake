optiphane_add_test(tst_machine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_machine.cpp
  LIBS optiphane_ui)
optiphane_add_test(tst_calculator SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_calculator.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_columnrun SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_columnrun.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_columncommand SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_columncommand.cpp
  LIBS optiphane_ui)
