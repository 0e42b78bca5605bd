# What the golden-file runners (run_e2e.cmake, apropos/run_case.cmake) share.
#
# tavlo_unreadable(FILE VAR) makes FILE executable but unreadable and sets VAR to the command
# prefix that runs a program as a user those permissions bind: none, or setpriv to nobody when
# running as root (permissions do not bind root); "SKIP" when setpriv is missing.
#
# tavlo_check_golden(ACTUAL GOLDEN NAME WORK) writes the actual outcome to WORK/actual.txt and
# compares it with the golden file byte for byte, printing a diff and failing when they differ;
# with TAVLO_UPDATE_GOLDEN=1 in the environment it rewrites the golden file instead.
function(tavlo_unreadable file var)
  file(CHMOD ${file} PERMISSIONS OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(runner "")
  if(uid STREQUAL "0")
    find_program(SETPRIV setpriv)
    if(SETPRIV)
      set(runner ${SETPRIV} --reuid=65534 --regid=65534 --clear-groups)
    else()
      set(runner SKIP)
    endif()
  endif()
  set(${var} ${runner} PARENT_SCOPE)
endfunction()

function(tavlo_check_golden actual golden name work)
  file(WRITE ${work}/actual.txt "${actual}")
  if("$ENV{TAVLO_UPDATE_GOLDEN}" STREQUAL "1")
    file(WRITE ${golden} "${actual}")
    message("golden file written: ${golden}")
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${work}/actual.txt ${golden}
    RESULT_VARIABLE differs)
  if(differs)
    execute_process(COMMAND diff -u ${golden} ${work}/actual.txt)
    message(FATAL_ERROR "${name}: output differs from ${golden}")
  endif()
endfunction()
