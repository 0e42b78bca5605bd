tavlo_add_fuzzer(NAME fuzz_narpo_arg
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/narpo_arg.cpp ${PROJECT_SOURCE_DIR}/codename/narpo_arg.c
  LIBS zelk INCLUDES ${PROJECT_SOURCE_DIR}/codename)
