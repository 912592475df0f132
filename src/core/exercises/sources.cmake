list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exercisefile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfpicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfwriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startuptext.cpp
)
