# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64)
# whose programs and tests run under Wine (wine64):
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# scripts/windows-test does it all, Wine's start-up included.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZORVANE_MINGW_PREFIX x86_64-w64-mingw32)
# The -posix compilers: the default win32 thread model has no std::mutex or
# std::thread.
set(CMAKE_C_COMPILER ${ZORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORVANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZORVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static: the .exe files need no DLL of the compiler's beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Programs built here (tests, test discovery) run under Wine, with one Wine
# prefix per build tree: a fresh prefix costs seconds and hundreds of MB.
set(ZORVANE_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "The Wine loader that runs the cross-built programs")
set(ZORVANE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "The Wine prefix of this build tree")
set(CMAKE_CROSSCOMPILING_EMULATOR
    env "WINEPREFIX=${ZORVANE_WINEPREFIX}" WINEDEBUG=-all "${ZORVANE_WINE_LOADER}")
