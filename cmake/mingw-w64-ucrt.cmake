# The Windows cross build (mingw-w64.cmake) against the Universal CRT
# (ucrtbase.dll: Visual Studio's runtime since 2015, and that of the UCRT64
# and CLANG64 toolchains), which wine ships, instead of msvcrt: the unit
# tests run against both runtimes. Debian's mingw-w64 links msvcrt: its
# compiler's own specs are taken, with the UCRT's import library in
# msvcrt's place. The headers stay msvcrt's, as Debian's libstdc++ was
# built with them (under _UCRT a stream position's mbstate_t is another
# type, and the library's streams do not link); mingw-w64's give both
# runtimes the same stdin (__acrt_iob_func). Its winpthreads, built for
# msvcrt, calls msvcrt's _setjmp: the UCRT's is __intrinsic_setjmp, with the
# same arguments on x64 (the buffer and the caller's frame).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpspecs OUTPUT_VARIABLE specs COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "-lmsvcrt" "-lucrt" specs "${specs}")
set(specsUcrt ${CMAKE_BINARY_DIR}/ucrt.specs)
file(WRITE ${specsUcrt} "${specs}")
set(CMAKE_C_FLAGS_INIT "-specs=${specsUcrt}")
set(CMAKE_CXX_FLAGS_INIT "-specs=${specsUcrt}")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -specs=${specsUcrt} -Wl,--defsym,_setjmp=__intrinsic_setjmp")
set(RAPPORT_UCRT ON)  # for the tests: the runtime they must find
