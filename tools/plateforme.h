// What differs between operating systems, behind one small seam: one file
// per platform implements it (plateforme_posix.cpp, plateforme_windows.cpp).
// Only the system's own calls are here; what is done with text is decided
// in portable code (console_unicode.h).
#ifndef TOOLS_PLATEFORME_H
#define TOOLS_PLATEFORME_H

#include <cstddef>
#include <string>
#include <string_view>

// Whether standard input may be sought at all: a redirected file may; on
// some systems a console or a pipe claims to and must not be tried.
bool entreeRepositionnable();

// Drops what is waiting for standard input below the C++ stream: the C
// runtime's buffer behind std::cin and the system's queue (a terminal or
// console, a pipe: only what is there now). Never waits for more.
void ecarterSaisieEnAttente();

#ifdef _WIN32
// Whether the C runtime that holds stdin is the Universal CRT (ucrtbase)
// rather than msvcrt: they empty its buffer in different ways.
bool runtimeUniversel();
#endif

// Why the last call on a file failed, as the system said: errno, and on
// Windows its own error code, which the C runtime keeps in _doserrno.
enum class Echec : unsigned char {
    absent,      // no such file or folder
    occupe,      // another program holds it (Windows: a sharing or lock violation)
    interrompu,  // a signal interrupted the call (EINTR): it may be made again
    autre,
};
Echec echecDuSysteme();
// Clears what echecDuSysteme reads, before a call whose failure is to be told.
void effacerEchec();

// A Windows console, which takes and gives UTF-16. A Linux terminal is no
// such console: it takes and gives bytes, in its own encoding.

// Whether standard input, or standard output, is such a console.
bool entreeConsole();
bool sortieConsole();

// What the console gives next, at most `place` units (ReadConsoleW);
// 0 when it gives nothing.
std::size_t lireConsole(char16_t* morceau, std::size_t place);

// Writes `texte` to the console (WriteConsoleW); false when it took not all.
bool ecrireConsole(std::u16string_view texte);

// Appends `ansi`, text in the system's ANSI code page, as UTF-16.
void ansiVersUtf16(std::string_view ansi, std::u16string& sortie);

#endif
