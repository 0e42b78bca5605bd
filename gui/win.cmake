# The Win32 layer of the windowed tool (included only in Windows builds): tavlo.exe, a GUI
# program linked statically, so it needs only the system's own DLLs.
add_executable(tavlo_win WIN32 ${CMAKE_CURRENT_LIST_DIR}/main_win.cpp)
set_target_properties(tavlo_win PROPERTIES OUTPUT_NAME tavlo)
target_link_libraries(tavlo_win PRIVATE tavlo_regc tavlo_code user32 gdi32)
# The deliverable carries no symbols.
target_link_options(tavlo_win PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)

# dist/tavlo.exe: the program with the description container appended (its pointer sits at
# positions 57..60, unused in a Windows program file). The builder is a program of this build,
# so it runs only where this build's programs can: natively or through the emulator (Wine, for
# the 64-bit build). The 32-bit build cannot run it; scripts/stages/50-windows.sh attaches the
# container to that program with the 64-bit builder.
if(EXISTS ${TAVLO_DESCRIPTIONS} AND (NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR))
  tavlo_attach_resource(TARGET tavlo_win DATA ${TAVLO_DESCRIPTIONS}
    OUTPUT ${CMAKE_BINARY_DIR}/dist/tavlo.exe NAME tavlo_win_resource)
endif()
