# Checks the symbols of a C archive: it defines exactly the expected external symbols and
# needs nothing from a C++ run time (no mangled names, exception or RTTI support).
#
#   cmake -DNM=<nm> -DLIB=<archive> -DEXPORTS=<a|b> -P check_symbols.cmake
string(REPLACE "|" ";" exports "${EXPORTS}")
execute_process(COMMAND "${NM}" -g "${LIB}" OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIB}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(defined "")
set(undefined "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>" or "<spaces> U <name>"; archive member headers end in ":".
  if(line MATCHES "^[0-9a-fA-F ]* ([A-Za-z]) ([^ ]+)$")
    set(type "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    if(type MATCHES "^[Uw]$")
      list(APPEND undefined "${name}")
    else()
      list(APPEND defined "${name}")
    endif()
  endif()
endforeach()
message(STATUS "defined: ${defined}")
message(STATUS "needed: ${undefined}")

list(SORT defined)
list(SORT exports)
if(NOT defined STREQUAL exports)
  message(SEND_ERROR "external symbols are '${defined}', expected '${exports}'")
endif()
foreach(sym IN LISTS undefined)
  if(sym MATCHES "^(_Z|__cxa_|__gxx_|_Unwind_|__dynamic_cast|__cxx)")
    message(SEND_ERROR "needs the C++ run time: ${sym}")
  endif()
endforeach()
