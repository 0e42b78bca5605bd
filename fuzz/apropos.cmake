if(TARGET tavlo_apropos_core)
  tavlo_add_fuzzer(NAME fuzz_apropos SOURCES ${CMAKE_CURRENT_LIST_DIR}/apropos.cpp
    LIBS tavlo_apropos_core)
endif()
