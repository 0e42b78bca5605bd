# Appends a description text, byte for byte, to a copy of the bare tavlo program.
#
#   cmake -DBARE=<program> -DTEXT=<text or empty> -DOUT=<result> -P append.cmake
#   include(append.cmake) then tavlo_append_text(<program> <text or empty> <result>)
#
# The result is written beside OUT and renamed into place, so a failed step leaves no half file;
# its size is checked against the two inputs.

function(tavlo_append_text bare text out)
  set(parts ${bare})
  if(text)
    list(APPEND parts ${text})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${parts}
    OUTPUT_FILE ${out}.part RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "tavlo_append_text: cannot concatenate ${parts}")
  endif()
  set(want 0)
  foreach(p IN LISTS parts)
    file(SIZE ${p} size)
    math(EXPR want "${want} + ${size}")
  endforeach()
  file(SIZE ${out}.part got)
  if(NOT got EQUAL want)
    message(FATAL_ERROR "tavlo_append_text: ${out} has ${got} bytes, expected ${want}")
  endif()
  file(CHMOD ${out}.part FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  file(RENAME ${out}.part ${out})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED BARE)
  tavlo_append_text("${BARE}" "${TEXT}" "${OUT}")
endif()
