# Cross build for 64-bit Windows with MinGW-w64. The tests run through Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# wine64, not /usr/bin/wine: that one may pick a 32-bit loader these machines cannot run.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
