# The Windows cross build (mingw-w64.cmake) against the Universal CRT
# (ucrtbase.dll: Visual Studio's runtime since 2015, and that of the UCRT64
# and CLANG64 toolchains), which wine ships, instead of msvcrt: the unit
# tests run against both runtimes. Debian's mingw-w64 compiler links
# -lmsvcrt of its own accord: a folder searched first gives it the UCRT's
# import library under that name. The headers stay msvcrt's, as Debian's
# libstdc++ was built with them (under _UCRT a stream position's mbstate_t
# is another type, and the library's streams do not link); mingw-w64's give
# both runtimes the same stdin (__acrt_iob_func). Its winpthreads, built for
# msvcrt, calls msvcrt's _setjmp: the UCRT's is __intrinsic_setjmp, with the
# same arguments on x64 (the buffer and the caller's frame).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(ucrtSousLeNomDeMsvcrt ${CMAKE_BINARY_DIR}/ucrt)
file(MAKE_DIRECTORY ${ucrtSousLeNomDeMsvcrt})
file(CREATE_LINK ${CMAKE_FIND_ROOT_PATH}/lib/libucrt.a ${ucrtSousLeNomDeMsvcrt}/libmsvcrt.a SYMBOLIC)
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -L${ucrtSousLeNomDeMsvcrt} -Wl,--defsym,_setjmp=__intrinsic_setjmp")
set(RAPPORT_UCRT ON)  # for the tests: the runtime they must find
