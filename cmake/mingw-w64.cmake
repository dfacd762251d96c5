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
# Wine runs the test programs, at build time too (test discovery). Its
# diagnostics are off but for the errors of its loader, memory and process
# creation, so that a program it cannot start says why on the error stream
# (others, such as "no driver could be loaded" without a display, would be
# drawn on a console's screen); Debian's wine script then says nothing of a
# missing wine32 either. Address randomisation is off: Debian's wine64 has no
# preloader, and one start in a few thousand the C heap lay where wine maps
# the shared user data, so wine stopped before the program ran
# (doc/contributing.md, "Windows under wine").
set(CMAKE_CROSSCOMPILING_EMULATOR setarch -R env WINEDEBUG=-all,err+virtual,err+module,err+process wine)
