# Build helpers shared by every folder of the project.
#
#   tavlo_set_warnings()            warnings on for C and C++, as errors in our own code
#   tavlo_enable_sanitizers()       address + undefined on every target that follows
#   tavlo_find_gtest()              GTest::gtest / GTest::gtest_main, native or built from source
#   tavlo_add_test(NAME SOURCES .. LIBS .. [PROPERTIES ..])   a GoogleTest executable registered
#                                   with CTest, its cases given the test PROPERTIES
#   tavlo_add_fuzzer(NAME SOURCES .. LIBS ..)   a libFuzzer harness (only with TAVLO_FUZZ)

macro(tavlo_set_warnings)
  if(CMAKE_C_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wformat=2 -Werror=format-security)
  endif()
endmacro()

macro(tavlo_enable_sanitizers)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endmacro()

# Native builds take Debian's packaged GoogleTest; cross builds compile it from its sources
# with the cross compiler.
macro(tavlo_find_gtest)
  if(CMAKE_CROSSCOMPILING)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endmacro()

function(tavlo_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;INCLUDES;PROPERTIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(T_INCLUDES)
    target_include_directories(${T_NAME} PRIVATE ${T_INCLUDES})
  endif()
  # Discover at test time, so that cross builds need no emulator while building.
  set(properties)
  if(T_PROPERTIES)
    set(properties PROPERTIES ${T_PROPERTIES})
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} ${properties})
endfunction()

function(tavlo_add_fuzzer)
  if(NOT TAVLO_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS;INCLUDES" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  # The harnesses' shared helpers, included as "fuzz/harness.h".
  target_include_directories(${F_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  if(F_INCLUDES)
    target_include_directories(${F_NAME} PRIVATE ${F_INCLUDES})
  endif()
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY TAVLO_FUZZERS ${F_NAME})
endfunction()
