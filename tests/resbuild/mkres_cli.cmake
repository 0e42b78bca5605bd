# tavlo-mkres as a black box, and the output of tavlo_attach_resource(). Run with -P; takes
# MKRES, EMULATOR (may be empty), FIXTURES, GOLDEN, ATTACHED (the attach step's folder), WORK.
set(failures 0)
macro(fail what)
  message(SEND_ERROR "FAILED: ${what}")
  math(EXPR failures "${failures} + 1")
endmacro()

# Runs the tool; rc is the exit status, out and err the text of standard output and error,
# out_hex standard output byte for byte (execute_process and file(READ) drop the CR of CR LF,
# so exact comparisons go through hexadecimal).
function(mkres)
  execute_process(COMMAND ${EMULATOR} ${MKRES} ${ARGN}
    OUTPUT_FILE ${WORK}/stdout ERROR_FILE ${WORK}/stderr RESULT_VARIABLE rc)
  file(READ ${WORK}/stdout out)
  file(READ ${WORK}/stdout out_hex HEX)
  file(READ ${WORK}/stderr err)
  set(out "${out}" PARENT_SCOPE)
  set(out_hex "${out_hex}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# Usage errors: exit status 2, the usage text on standard error, nothing on standard output.
set(usage "usage: tavlo-mkres [-q] make <resource-file> <data-file>\n       tavlo-mkres [-q] dump <resource-file>\n")
foreach(args "" "make" "dump;a;b" "list;x" "-q")
  mkres(${args})
  if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err STREQUAL usage)
    fail("usage error for '${args}': ${rc}\n${out}\n${err}")
  endif()
endforeach()

# The attached program: host bytes in front, a container that dumps as the golden log, and
# the description text beside it.
# The golden logs name the files as @RES@ and @DATA@; they are filled in byte for byte.
function(golden name res data)
  file(READ ${GOLDEN}/${name} want_hex HEX)
  foreach(pair "@RES@;${res}" "@DATA@;${data}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    string(HEX "${from}" from)
    string(HEX "${to}" to)
    string(REPLACE "${from}" "${to}" want_hex "${want_hex}")
  endforeach()
  set(want_hex "${want_hex}" PARENT_SCOPE)
endfunction()

golden(dump-small.log ${ATTACHED}/tavlo-host -)
mkres(dump ${ATTACHED}/tavlo-host)
if(NOT rc EQUAL 0 OR NOT out_hex STREQUAL want_hex)
  fail("dump of the attached program: ${rc}\n${out}")
endif()
file(READ ${FIXTURES}/host.bin host_hex HEX)
string(LENGTH "${host_hex}" host_hex_len)
file(READ ${ATTACHED}/tavlo-host attached_hex HEX)
string(SUBSTRING "${attached_hex}" 0 ${host_hex_len} attached_front)
if(NOT attached_front STREQUAL host_hex)
  fail("host bytes in front of the container")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FIXTURES}/small.txt
  ${ATTACHED}/tavlodata-text.o RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  fail("tavlodata-text.o is not the description text")
endif()
if(EXISTS ${ATTACHED}/tavlo-host.building)
  fail("the attach step left its build copy")
endif()

# A Make: a time-stamped first line, then the golden log.
configure_file(${FIXTURES}/host.bin ${WORK}/prog COPYONLY)
mkres(make ${WORK}/prog ${FIXTURES}/small.txt)
set(stamp "^Making Binary Resource as at [0-2][0-9]:[0-5][0-9]:[0-5][0-9] [0-3][0-9] [A-Z][a-z]+ [0-9][0-9][0-9][0-9]\n")
golden(make-small.log ${WORK}/prog ${FIXTURES}/small.txt)
string(FIND "${want_hex}" "0d0a" want_eol)
string(SUBSTRING "${want_hex}" ${want_eol} -1 want_hex)
string(FIND "${out_hex}" "0d0a" got_eol)
string(SUBSTRING "${out_hex}" ${got_eol} -1 got_hex)
if(NOT rc EQUAL 0 OR NOT out MATCHES "${stamp}" OR NOT got_hex STREQUAL want_hex)
  fail("make log: ${rc}\n${out}")
endif()

# -q prints nothing on success; a failed Make prints its log, ended by CR LF, and exits 1
# without touching the program file.
mkres(-q make ${WORK}/prog ${FIXTURES}/small.txt)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
  fail("quiet make: ${rc}\n${out}")
endif()
file(READ ${WORK}/prog before HEX)
mkres(-q make ${WORK}/prog ${WORK}/missing.txt)
if(NOT rc EQUAL 1 OR NOT out MATCHES "\nProcessing Data File: [^\n]*missing.txt\nError [0-9]+: [^\n]+\n$"
   OR NOT out_hex MATCHES "0d0a$")
  fail("make without data file: ${rc}\n${out}")
endif()
file(READ ${WORK}/prog after HEX)
if(NOT before STREQUAL after)
  fail("a failed make changed the program file")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} check(s) failed")
endif()
