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
# diagnostics are off but for the errors of its loader and memory, so that a
# program it cannot start says why on the error stream (the others, such as
# "no driver could be loaded" on a machine without a display, would be drawn
# on the console's screen), and Debian's wine script says nothing of a
# missing wine32. Address randomisation is off for it: Debian's wine64 has no
# preloader, so the kernel puts the C heap anywhere in the gigabyte above the
# loader at 0x7d000000; one start in a few thousand, the heap covers
# 0x7ffe0000, where wine must map the shared user data, and wine stops
# ("failed to map the shared user data"), exit status 1, before the program
# runs. Without randomisation the heap starts at 0x7d005000, every time.
set(CMAKE_CROSSCOMPILING_EMULATOR setarch -R env WINEDEBUG=-all,err+virtual,err+module,err+process wine)
