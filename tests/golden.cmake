# The one comparison of the golden-file runners (run_e2e.cmake, apropos/run_case.cmake):
# tavlo_check_golden(ACTUAL GOLDEN NAME WORK) writes the actual outcome to WORK/actual.txt and
# compares it with the golden file byte for byte, printing a diff and failing when they differ;
# with TAVLO_UPDATE_GOLDEN=1 in the environment it rewrites the golden file instead.
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
