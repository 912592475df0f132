optiphane_add_test(tst_benchpicture SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_benchpicture.cpp
  LIBS optiphane_core)
optiphane_add_test(tst_loupe SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_loupe.cpp LIBS optiphane_ui)
optiphane_add_test(tst_benchcontrols SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_benchcontrols.cpp
  LIBS optiphane_ui)
optiphane_add_test(tst_optics SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_optics.cpp LIBS optiphane_core)
