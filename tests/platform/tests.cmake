optiphane_add_test(tst_numtext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_numtext.cpp LIBS optiphane_core)
optiphane_add_test(tst_surface SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_surface.cpp LIBS optiphane_core)
optiphane_add_test(tst_cp1252 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_cp1252.cpp LIBS optiphane_core)
optiphane_add_test(tst_programfolder SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_programfolder.cpp LIBS optiphane_core)
