# Checks that a linked file carries each of the given texts (as strings(1) would find them).
#
#   cmake -DFILE=<file> -DTEXTS=<text|text> -P check_texts.cmake
string(REPLACE "|" ";" texts "${TEXTS}")
file(STRINGS "${FILE}" found)
foreach(text IN LISTS texts)
  string(FIND "${found}" "${text}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "'${text}' is not in ${FILE}")
  endif()
endforeach()
