tavlo_add_fuzzer(NAME fuzz_binres SOURCES ${CMAKE_CURRENT_LIST_DIR}/binres.cpp LIBS tavlo::binres)
