# What both MinGW-w64 cross builds share, included by mingw-i686.cmake and mingw-x86_64.cmake
# after they set CMAKE_SYSTEM_PROCESSOR: Debian's -posix compilers (GoogleTest needs
# std::mutex), the target's own root for libraries and headers, and static links, so that the
# programs need no MinGW DLLs at run time. Not a toolchain file on its own.
set(CMAKE_SYSTEM_NAME Windows)
set(TAVLO_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVLO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVLO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVLO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVLO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
