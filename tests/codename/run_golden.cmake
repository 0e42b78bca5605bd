# Runs a program once and compares its standard output and standard error with golden
# files byte for byte, and its exit status with the expected one.
#
#   cmake -DPROG=<program> [-DEMULATOR=<cmd|args>] [-DARGS=<a|b|...>] -DSTATUS=<n>
#         -DOUT=<golden stdout> -DERR=<golden stderr> -DWORK=<file prefix for the actual
#         outputs> [-DSTDOUT=<file the program writes to instead, e.g. /dev/full>]
#         -P run_golden.cmake
# Lists use "|" so that they pass through add_test() unsplit.
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" args "${ARGS}")
set(actual_out "${WORK}.out")
set(actual_err "${WORK}.err")
if(STDOUT)
  set(actual_out "${STDOUT}")
endif()

execute_process(COMMAND ${emulator} ${PROG} ${args}
  OUTPUT_FILE "${actual_out}" ERROR_FILE "${actual_err}" RESULT_VARIABLE status)

set(failed OFF)
if(NOT "${status}" STREQUAL "${STATUS}")
  message(SEND_ERROR "exit status ${status}, expected ${STATUS}")
endif()

function(compare actual golden what)
  file(READ "${actual}" got HEX)
  file(READ "${golden}" want HEX)
  if(NOT got STREQUAL want)
    file(READ "${actual}" got_text)
    file(READ "${golden}" want_text)
    message(SEND_ERROR "${what} differs from ${golden}\n--- got:\n${got_text}--- expected:\n${want_text}---")
  endif()
endfunction()

if(NOT STDOUT)
  compare("${actual_out}" "${OUT}" "standard output")
endif()
compare("${actual_err}" "${ERR}" "standard error")
