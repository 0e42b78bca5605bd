if(TARGET tavlo_cli_core)
  tavlo_add_fuzzer(NAME fuzz_cli_store SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli_store.cpp
    LIBS tavlo_cli_core)
endif()
