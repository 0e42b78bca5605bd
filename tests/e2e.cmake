# The one golden-file runner of the programs' end-to-end cases: each case runs a program with
# the given arguments and compares standard output, standard error and exit status, byte for
# byte, with one golden file. The program is the command-line tavlo (a description text
# appended to a copy of tavlo-bare) unless PROGRAM names another.
#
#   tavlo_e2e(NAME <name>                  the test is <area folder>.e2e.<name>
#             [PROGRAM <file>]             run this program instead of an appended tavlo
#             [TEXT <fixture text>]        appended to the bare program; none: bare store
#             [GEN <mode>]                 text made by cli/gen_store_text.cmake for this build
#             [ARGS <arg>...]              "@EMPTY@" stands for an empty argument
#             [SET_ENV <VAR=value>...] [UNSET_ENV <VAR>...]
#             [UNREADABLE]                 store without read permission (native runs only)
#             [MERGED]                     standard error joined to standard output, as with
#                                          2>&1, so the golden file shows their order
#             [STDOUT <file>]              standard output goes there (a full device, say)
#                                          and the golden file's stdout part is empty
#             [GOLDEN <file>])             default: golden/<name>.txt beside the caller
#
# In arguments, "@SRC@" is the caller's source folder and "@WORK@" the case's scratch folder.
# In the outputs the store's path reads "@STORE@", the two folders "@SRC@" and "@WORK@".
# Cross builds run the program through CMAKE_CROSSCOMPILING_EMULATOR. With the environment
# variable TAVLO_UPDATE_GOLDEN=1 the runner writes the golden file instead of comparing.

set(TAVLO_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

function(tavlo_e2e)
  cmake_parse_arguments(E "UNREADABLE;MERGED" "NAME;PROGRAM;TEXT;GEN;STDOUT;GOLDEN"
    "ARGS;SET_ENV;UNSET_ENV" ${ARGN})
  if(NOT E_PROGRAM AND NOT TARGET tavlo-bare)
    return()
  endif()
  get_filename_component(area ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(NOT E_GOLDEN)
    set(E_GOLDEN ${CMAKE_CURRENT_SOURCE_DIR}/golden/${E_NAME}.txt)
  endif()
  if(E_TEXT AND NOT IS_ABSOLUTE ${E_TEXT})
    set(E_TEXT ${CMAKE_CURRENT_SOURCE_DIR}/${E_TEXT})
  endif()
  get_property(append_script GLOBAL PROPERTY TAVLO_APPEND_SCRIPT)

  set(body "")
  foreach(var NAME TEXT GEN STDOUT GOLDEN UNREADABLE MERGED)
    string(APPEND body "set(CASE_${var} [==[${E_${var}}]==])\n")
  endforeach()
  foreach(var ARGS SET_ENV UNSET_ENV)
    string(APPEND body "set(CASE_${var})\n")
    foreach(item IN LISTS E_${var})
      string(APPEND body "list(APPEND CASE_${var} [==[${item}]==])\n")
    endforeach()
  endforeach()
  string(APPEND body "set(CASE_EMULATOR)\n")
  foreach(item IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
    string(APPEND body "list(APPEND CASE_EMULATOR [==[${item}]==])\n")
  endforeach()
  string(APPEND body "set(CASE_SRC [==[${CMAKE_CURRENT_SOURCE_DIR}]==])\n")
  string(APPEND body "set(CASE_WORK [==[${CMAKE_CURRENT_BINARY_DIR}/e2e/${E_NAME}]==])\n")
  string(APPEND body "set(CASE_APPEND_SCRIPT [==[${append_script}]==])\n")
  string(APPEND body "set(CASE_GEN_SCRIPT [==[${TAVLO_E2E_DIR}/cli/gen_store_text.cmake]==])\n")
  set(case_file ${CMAKE_CURRENT_BINARY_DIR}/e2e/${E_NAME}.case.cmake)
  file(WRITE ${case_file} "${body}")

  if(E_PROGRAM)
    set(program -DPROGRAM=${E_PROGRAM})
  else()
    set(program -DBARE=$<TARGET_FILE:tavlo-bare>)
  endif()
  add_test(NAME ${area}.e2e.${E_NAME}
    COMMAND ${CMAKE_COMMAND} ${program} -DCASE=${case_file} -P ${TAVLO_E2E_DIR}/run_e2e.cmake)
  set_tests_properties(${area}.e2e.${E_NAME} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:")
endfunction()
