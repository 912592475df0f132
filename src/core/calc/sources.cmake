list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calculator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calculcommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/columnrun.cpp
)
