tavlo_add_fuzzer(NAME fuzz_regc_filestore
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/regc_filestore.cpp
  LIBS tavlo_regc)
