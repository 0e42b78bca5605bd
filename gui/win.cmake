# The Win32 layer of the windowed tool (included only in Windows builds): tavlo.exe, a GUI
# program linked statically, so it needs only the system's own DLLs.
add_executable(tavlo_win WIN32 ${CMAKE_CURRENT_LIST_DIR}/main_win.cpp)
set_target_properties(tavlo_win PROPERTIES OUTPUT_NAME tavlo)
target_link_libraries(tavlo_win PRIVATE tavlo_regc tavlo_code user32 gdi32)
# The deliverable carries no symbols.
target_link_options(tavlo_win PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
