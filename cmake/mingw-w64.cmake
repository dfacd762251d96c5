# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads),
# whose programs the tests run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One file to copy beside etudiant.txt: no runtime DLLs to ship with it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Wine runs the test programs, at build time too (test discovery), with its
# diagnostics off, so that a build is quiet: Debian's wine script then says
# nothing of a missing wine32 either.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all wine)
