// Linux (glibc or musl): stdio's buffer is dropped with __fpurge, a
// terminal's queue with tcflush, a pipe's by reading what FIONREAD counts
// (vidange.h).
// A terminal takes and gives bytes, in its own encoding: no console here.
// A call that a signal interrupts (EINTR, under a handler installed without
// SA_RESTART) is made again.
#include "plateforme.h"
#include "vidange.h"

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <stdio_ext.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

template <class Appel>
auto sansInterruption(Appel appel)
{
    for (;;) {
        const auto resultat = appel();
        if (resultat != -1 || errno != EINTR)
            return resultat;
    }
}

}  // namespace

bool entreeRepositionnable()
{
    return true;  // lseek itself refuses a terminal or a pipe
}

void ecarterSaisieEnAttente()
{
    __fpurge(stdin);
    if (isatty(STDIN_FILENO)) {
        // Drops complete lines and the line being typed alike.
        sansInterruption([] { return tcflush(STDIN_FILENO, TCIFLUSH); });
        return;
    }
    ecarterEnAttente({[](std::size_t& enAttente) {
                          int compte = 0;
                          const bool su = sansInterruption([&] { return ioctl(STDIN_FILENO, FIONREAD, &compte); }) == 0;
                          enAttente = su && compte > 0 ? static_cast<std::size_t>(compte) : 0;
                          return su;
                      },
                      [] {
                          pollfd entree = {STDIN_FILENO, POLLIN, 0};
                          return sansInterruption([&] { return poll(&entree, 1, 0); }) > 0 &&
                                 (entree.revents & (POLLIN | POLLHUP)) != 0;
                      },
                      [](char* morceau, std::size_t place) {
                          return static_cast<long>(
                              sansInterruption([&] { return read(STDIN_FILENO, morceau, place); }));
                      }});
}

Echec echecDuSysteme()
{
    switch (errno) {
    case ENOENT:
    case ENOTDIR:  // a folder of the path is a file
        return Echec::absent;
    case EINTR:
        return Echec::interrompu;
    default:
        return Echec::autre;
    }
}

void effacerEchec()
{
    errno = 0;
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
