# The experiment is a header-only value: nothing to compile here yet.
list(APPEND OPTIPHANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/experiment.h
)
