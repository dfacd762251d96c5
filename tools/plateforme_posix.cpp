// Linux (glibc or musl): stdio's buffer is dropped with __fpurge, a
// terminal's queue with tcflush, a pipe's by reading what FIONREAD counts.
// A terminal takes and gives bytes, in its own encoding: no console here.
#include "plateforme.h"

#include <algorithm>
#include <cstdio>
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

bool entreeConsole()
{
    return false;
}

bool sortieConsole()
{
    return false;
}

// Never called: there is no console to read or write.
std::size_t lireConsole(char16_t* /*morceau*/, std::size_t /*place*/)
{
    return 0;
}

bool ecrireConsole(std::u16string_view /*texte*/)
{
    return false;
}

void ansiVersUtf16(std::string_view /*ansi*/, std::u16string& /*sortie*/) {}
