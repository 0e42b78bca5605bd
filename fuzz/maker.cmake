# The description maker over arbitrary input files, in both modes.
tavlo_add_fuzzer(NAME fuzz_maker
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/maker.cpp ${PROJECT_SOURCE_DIR}/cli/maker.cpp
  INCLUDES ${PROJECT_SOURCE_DIR}/cli)
