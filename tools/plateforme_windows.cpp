// Windows: the C runtime (msvcrt) empties an input stream's buffer on
// fflush; a console's pending keystrokes go with FlushConsoleInputBuffer,
// a pipe's bytes by reading what PeekNamedPipe counts. A console shows
// bytes in its own code page, set by the system (437 or 850 on a French
// PC), whatever the file was written in: text reaches it as UTF-16, and its
// code page is left as it is.
#include "plateforme.h"
#include "tools.h"

#include <algorithm>
#include <cstdio>
#include <string>
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

bool estBlanc(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Pieces converted and written at a time: memory stays bounded whatever
// the text, and each write stays within what a console takes at once.
constexpr std::size_t morceauMax = 16384;

bool ecrireLarge(const std::wstring& large)
{
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    for (std::size_t fait = 0; fait < large.size();) {
        DWORD ecrits = 0;
        const auto taille = static_cast<DWORD>(std::min(large.size() - fait, morceauMax));
        if (!WriteConsoleW(console, large.data() + fait, taille, &ecrits, nullptr) || ecrits == 0)
            return false;
        fait += ecrits;
    }
    return true;
}

// A piece of text, in code page `page`, added to `large`; `large` is written
// whenever it is full. A UTF-8 word is cut only between characters.
bool ajouterLarge(std::wstring& large, std::string_view texte, UINT page)
{
    while (!texte.empty()) {
        std::size_t taille = std::min(texte.size(), morceauMax);
        while (page == CP_UTF8 && taille < texte.size() && (static_cast<unsigned char>(texte[taille]) & 0xC0U) == 0x80)
            --taille;
        const int n = MultiByteToWideChar(page, 0, texte.data(), static_cast<int>(taille), nullptr, 0);
        const std::size_t avant = large.size();
        large.resize(avant + static_cast<std::size_t>(n));
        MultiByteToWideChar(page, 0, texte.data(), static_cast<int>(taille), &large[avant], n);
        texte.remove_prefix(taille);
        if (large.size() >= morceauMax) {
            if (!ecrireLarge(large))
                return false;
            large.clear();
        }
    }
    return true;
}

}  // namespace

bool sortieConsoleUnicode()
{
    return estUneConsole(GetStdHandle(STD_OUTPUT_HANDLE));
}

bool ecrireConsoleUnicode(std::string_view texte)
{
    std::wstring large;
    while (!texte.empty()) {
        const bool blanc = estBlanc(texte.front());
        std::size_t fin = 1;
        while (fin < texte.size() && estBlanc(texte[fin]) == blanc)
            ++fin;
        const std::string_view morceau = texte.substr(0, fin);
        if (!ajouterLarge(large, morceau, blanc || estUtf8(morceau) ? CP_UTF8 : CP_ACP))
            return false;
        texte.remove_prefix(fin);
    }
    return ecrireLarge(large);
}

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
