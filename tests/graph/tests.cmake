optiphane_add_test(tst_graph SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_graph.cpp LIBS optiphane_core)
optiphane_add_test(tst_grapheur SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_grapheur.cpp
  LIBS optiphane_ui)
