// Discarding type-ahead. A seekable input (a redirected file) is skipped to
// its end. A terminal or a pipe cannot seek, so what is pending there is
// dropped at every level that may hold it: the C++ stream, the C stdio
// buffer behind std::cin, and the operating system's queue. Nothing here
// may wait for new input.
#include "tools.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdio_ext.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

void ecarterFileSysteme()
{
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

}  // namespace

void viderTampon()
{
    std::cin.clear();
    std::cin.seekg(0, std::ios::end);
    if (!std::cin.fail()) {
        std::cin.ignore(maxIgnore, '\n');
    } else {
        std::cin.clear();
        const std::streamsize dansLeFlux = std::cin.rdbuf()->in_avail();
        if (dansLeFlux > 0)
            std::cin.ignore(dansLeFlux);
        __fpurge(stdin);
        ecarterFileSysteme();
    }
    // Meeting the end of a file is no error for the next reader to inherit.
    std::cin.clear();
}
