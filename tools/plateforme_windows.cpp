// Windows: the C runtime (msvcrt) empties an input stream's buffer on
// fflush; a console's pending keystrokes go with FlushConsoleInputBuffer,
// a pipe's bytes by reading what PeekNamedPipe counts. A console is read and
// written in UTF-16 (ReadConsoleW, WriteConsoleW); its code page is left as
// it is.
#include "plateforme.h"

#include <algorithm>
#include <cstdio>
#include <windows.h>

namespace {

HANDLE entreeStandard()
{
    return GetStdHandle(STD_INPUT_HANDLE);
}

HANDLE sortieStandard()
{
    return GetStdHandle(STD_OUTPUT_HANDLE);
}

bool estUneConsole(HANDLE poignee)
{
    DWORD mode = 0;
    return GetConsoleMode(poignee, &mode) != 0;
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

bool entreeConsole()
{
    return estUneConsole(entreeStandard());
}

bool sortieConsole()
{
    return estUneConsole(sortieStandard());
}

std::size_t lireConsole(char16_t* morceau, std::size_t place)
{
    std::wstring large(place, L'\0');
    DWORD lus = 0;
    if (!ReadConsoleW(entreeStandard(), large.data(), static_cast<DWORD>(place), &lus, nullptr))
        return 0;
    const std::size_t unites = std::min<std::size_t>(lus, place);
    std::copy_n(large.begin(), unites, morceau);
    return unites;
}

bool ecrireConsole(std::u16string_view texte)
{
    const std::wstring large(texte.begin(), texte.end());
    for (std::size_t fait = 0; fait < large.size();) {
        DWORD ecrits = 0;
        const auto reste = static_cast<DWORD>(large.size() - fait);
        if (!WriteConsoleW(sortieStandard(), large.data() + fait, reste, &ecrits, nullptr) || ecrits == 0)
            return false;
        fait += ecrits;
    }
    return true;
}

void ansiVersUtf16(std::string_view ansi, std::u16string& sortie)
{
    if (ansi.empty())
        return;
    const int taille = static_cast<int>(ansi.size());
    const int unites = MultiByteToWideChar(CP_ACP, 0, ansi.data(), taille, nullptr, 0);
    std::wstring large(static_cast<std::size_t>(unites), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), taille, large.data(), unites);
    sortie.append(large.begin(), large.end());
}
