tavlo_add_fuzzer(NAME fuzz_resbuild SOURCES ${CMAKE_CURRENT_LIST_DIR}/resbuild.cpp LIBS tavlo::resbuild)
