# Description texts for end-to-end stores whose headers must stand at exact file offsets.
# Offsets count from the start of the store, which is the bare program (bare_size bytes)
# followed by the text; block k of the scan starts at k * 65488 and shares its last 48 bytes
# with block k + 1.
#
#   tavlo_gen_store_text(<mode> <bare_size> <out>)
#     edges   five sections of value 3000, with names containing EDGE, whose headers lie:
#             just before the shared bytes, wholly inside them, cut by a block's end, at their
#             first byte, and in a block whose successor (the last block) is shorter than the
#             header's position, so that stale bytes of the buffer would find it again
#     window  3100: description and closing header of exactly 4,096 bytes; 3101: one byte
#             more; 3102 right after it in the same block; 3103 two blocks further on
#     repeat  three sections of value 3200: the first one byte over its window, the second
#             right after it in the same block, the third two blocks further on
#     crlf    a short text whose lines end with CR LF

set(TAVLO_BLOCK_STEP 65488)

# Appends filler lines of 64 bytes (and one shorter line) to the text until the store is
# at the given offset.
macro(_tavlo_fill word offset)
  string(LENGTH "${gen_text}" _len)
  math(EXPR _need "${offset} - ${gen_bare} - ${_len}")
  if(_need LESS 0)
    message(FATAL_ERROR "gen_store_text: offset ${offset} already passed by ${_need} bytes")
  endif()
  math(EXPR _lines "${_need} / 64")
  math(EXPR _rest "${_need} % 64")
  string(REPEAT "${word} " 9 _line)
  string(SUBSTRING "${_line}${_line}${_line}" 0 63 _line)
  string(REPEAT "${_line}\n" ${_lines} _fill)
  string(APPEND gen_text "${_fill}")
  if(_rest GREATER 0)
    math(EXPR _rest "${_rest} - 1")
    string(SUBSTRING "${_line}" 0 ${_rest} _part)
    string(APPEND gen_text "${_part}\n")
  endif()
endmacro()

# Appends a header and a description that, with the next header up to its ']', is
# window bytes long.
macro(_tavlo_window_section header next window)
  string(APPEND gen_text "[${header}]\n")
  string(LENGTH "${gen_text}" _len)
  string(LENGTH "[${next}]" _next_len)
  math(EXPR _at "${gen_bare} + ${_len} + ${window} - ${_next_len}")
  _tavlo_fill(window ${_at})
endmacro()

macro(_tavlo_block_after offset var)
  math(EXPR ${var} "(${offset}) / ${TAVLO_BLOCK_STEP} + 1")
endmacro()

function(tavlo_gen_store_text mode bare_size out)
  set(gen_bare ${bare_size})
  set(pad "[5000,KXRC_PADDING]\n")
  if(mode STREQUAL "edges")
    set(gen_text "[DI1,Version]\nFixture store with headers at block boundaries.\n${pad}")
    _tavlo_block_after("${bare_size} + 4096" k)
    # name, block index relative to k, offset of '[' from that block's start
    set(edges
      "KXRC_EDGE_BEFORE_SHARED,0,-1"
      "KXRC_EDGE_IN_SHARED,1,4"
      "KXRC_EDGE_CUT_BY_BLOCK_END,2,40"
      "KXRC_EDGE_AT_SHARED_START,3,0"
      "KXRC_EDGE_STALE_IN_BUFFER,4,30000")
    foreach(edge IN LISTS edges)
      string(REPLACE "," ";" edge "${edge}")
      list(GET edge 0 name)
      list(GET edge 1 rel)
      list(GET edge 2 delta)
      math(EXPR at "(${k} + ${rel}) * ${TAVLO_BLOCK_STEP} + ${delta}")
      _tavlo_fill(padding ${at})
      string(APPEND gen_text "[3000,${name}]\nShort description of ${name}.\n${pad}")
    endforeach()
    # The last block holds 1,000 bytes, fewer than the position of the stale header.
    math(EXPR end "(${k} + 5) * ${TAVLO_BLOCK_STEP} + 1000 - 6")
    _tavlo_fill(padding ${end})
  elseif(mode STREQUAL "window")
    set(gen_text "[DI1,Version]\nFixture store for the description window.\n${pad}")
    _tavlo_block_after("${bare_size} + 4096" k)
    math(EXPR at "${k} * ${TAVLO_BLOCK_STEP} + 100")
    _tavlo_fill(padding ${at})
    # The window counts from the description's first byte to the next header's ']'.
    _tavlo_window_section("3100,KXRC_WINDOW_FITS" "3101,KXRC_WINDOW_OVER" 4096)
    _tavlo_window_section("3101,KXRC_WINDOW_OVER" "3102,KXRC_WINDOW_SKIPPED" 4097)
    string(APPEND gen_text "[3102,KXRC_WINDOW_SKIPPED]\nShort description, same block.\n${pad}")
    math(EXPR at "(${k} + 2) * ${TAVLO_BLOCK_STEP} + 100")
    _tavlo_fill(padding ${at})
    string(APPEND gen_text "[3103,KXRC_WINDOW_LATER]\nShort description, later block.\n")
  elseif(mode STREQUAL "repeat")
    set(gen_text "[DI1,Version]\nFixture store for a value that ends a block's scan.\n${pad}")
    _tavlo_block_after("${bare_size} + 4096" k)
    math(EXPR at "${k} * ${TAVLO_BLOCK_STEP} + 100")
    _tavlo_fill(padding ${at})
    _tavlo_window_section("3200,KXRC_REPEAT_OVER" "3200,KXRC_REPEAT_SKIPPED" 4097)
    string(APPEND gen_text "[3200,KXRC_REPEAT_SKIPPED]\nShort description, same block.\n${pad}")
    math(EXPR at "(${k} + 2) * ${TAVLO_BLOCK_STEP} + 100")
    _tavlo_fill(padding ${at})
    string(APPEND gen_text "[3200,KXRC_REPEAT_LATER]\nShort description, later block.\n")
  elseif(mode STREQUAL "crlf")
    string(CONCAT gen_text "[DI1,Version]\r\nFixture text with CR LF line ends.\r\n"
      "[2035,KXRC_NOT_AUTHORIZED]\r\nFirst line. \r\nSecond line. \r\n"
      "[2192,KXRC_STORE_FULL]\r\nAnother section. \r\n")
  else()
    message(FATAL_ERROR "gen_store_text: unknown mode ${mode}")
  endif()
  if(mode STREQUAL "crlf")
    string(APPEND gen_text "[end]\r\n")
  else()
    string(APPEND gen_text "[end]\n")
  endif()
  file(WRITE ${out} "${gen_text}")
endfunction()
