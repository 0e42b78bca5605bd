# Cross build for 32-bit Windows with MinGW-w64, the windowed tool's deliverable. Built and
# inspected only: these machines cannot execute 32-bit programs, so no emulator is set.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
