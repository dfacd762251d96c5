// What differs between operating systems, behind one small seam: one file
// per platform implements it (plateforme_posix.cpp, plateforme_windows.cpp).
#ifndef TOOLS_PLATEFORME_H
#define TOOLS_PLATEFORME_H

#include <string_view>

// Whether standard input may be sought at all: a redirected file may; on
// some systems a console or a pipe claims to and must not be tried.
bool entreeRepositionnable();

// Drops what is waiting for standard input below the C++ stream: the C
// runtime's buffer behind std::cin and the system's queue (a terminal or
// console, a pipe: only what is there now). Never waits for more.
void ecarterSaisieEnAttente();

// Whether standard output is a console that shows Unicode text as written
// whatever its code page (a Windows console). A Linux terminal shows the
// bytes it is given.
bool sortieConsoleUnicode();

// Writes `texte` to that console: each word (a run without whitespace) from
// UTF-8 when it is valid UTF-8, otherwise from the system's ANSI code page.
// False when the console took not all of it.
bool ecrireConsoleUnicode(std::string_view texte);

#endif
