// Linux (glibc or musl): stdio's buffer is dropped with __fpurge, a
// terminal's queue with tcflush, a pipe's by reading what FIONREAD counts.
// A terminal shows the bytes it is given, in its own encoding.
#include "plateforme.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdio_ext.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

bool entreeRepositionnable()
{
    return true;  // lseek itself refuses a terminal or a pipe
}

void ecarterSaisieEnAttente()
{
    __fpurge(stdin);
    if (isatty(STDIN_FILENO)) {
        // Drops complete lines and the line being typed alike.
        tcflush(STDIN_FILENO, TCIFLUSH);
        return;
    }
    // Only the bytes present now: a writer that never stops must not keep
    // us here.
    int enAttente = 0;
    if (ioctl(STDIN_FILENO, FIONREAD, &enAttente) != 0)
        return;
    char morceau[4096];
    while (enAttente > 0) {
        const auto taille = std::min<std::size_t>(static_cast<std::size_t>(enAttente), sizeof morceau);
        const ssize_t lus = read(STDIN_FILENO, morceau, taille);
        if (lus <= 0)
            return;
        enAttente -= static_cast<int>(lus);
    }
}

bool sortieConsoleUnicode()
{
    return false;  // a terminal takes the bytes, in its own encoding
}

bool ecrireConsoleUnicode(std::string_view texte)
{
    return !std::cout.write(texte.data(), static_cast<std::streamsize>(texte.size())).fail();
}
