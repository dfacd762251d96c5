// Windows: the C runtime (msvcrt) empties an input stream's buffer on
// fflush; a console's pending keystrokes go with FlushConsoleInputBuffer,
// a pipe's bytes by reading what PeekNamedPipe counts.
#include "plateforme.h"

#include <cstdio>
#include <windows.h>

namespace {

HANDLE entreeStandard()
{
    return GetStdHandle(STD_INPUT_HANDLE);
}

bool estUneConsole(HANDLE entree)
{
    DWORD mode = 0;
    return GetConsoleMode(entree, &mode) != 0;
}

void viderTube(HANDLE entree)
{
    DWORD enAttente = 0;
    if (!PeekNamedPipe(entree, nullptr, 0, nullptr, &enAttente, nullptr))
        return;
    char morceau[4096];
    while (enAttente > 0) {
        const DWORD taille = enAttente < sizeof morceau ? enAttente : static_cast<DWORD>(sizeof morceau);
        DWORD lus = 0;
        if (!ReadFile(entree, morceau, taille, &lus, nullptr) || lus == 0)
            return;
        enAttente -= lus;
    }
}

}  // namespace

bool entreeRepositionnable()
{
    // Seeking a console or a pipe is undefined in the C runtime rather than
    // refused: only a file on disk is tried.
    return GetFileType(entreeStandard()) == FILE_TYPE_DISK;
}

void ecarterSaisieEnAttente()
{
    // cppcheck-suppress fflushOnInputStream ; defined by msvcrt: it empties the buffer
    std::fflush(stdin);
    const HANDLE entree = entreeStandard();
    switch (GetFileType(entree)) {
    case FILE_TYPE_CHAR:  // a console, or a device such as NUL
        if (estUneConsole(entree))
            FlushConsoleInputBuffer(entree);
        break;
    case FILE_TYPE_PIPE:
        viderTube(entree);
        break;
    default:
        break;
    }
}
