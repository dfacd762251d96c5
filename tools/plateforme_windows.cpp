// Windows: the C runtime's buffer behind stdin is emptied as each runtime
// allows (msvcrt and the Universal CRT differ); a console's pending
// keystrokes go with FlushConsoleInputBuffer, a pipe's bytes by reading what
// PeekNamedPipe counts (vidange.h). A console is read and written in UTF-16
// (ReadConsoleW, WriteConsoleW); its code page is left as it is.
#include "console_unicode.h"
#include "plateforme.h"
#include "vidange.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
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
    const auto compter = [entree](std::size_t& enAttente) {
        DWORD compte = 0;
        const bool su = PeekNamedPipe(entree, nullptr, 0, nullptr, &compte, nullptr) != 0;
        enAttente = compte;
        return su;
    };
    ecarterEnAttente({compter,
                      [compter] {
                          std::size_t enAttente = 0;
                          return compter(enAttente) && enAttente > 0;
                      },
                      [entree](char* morceau, std::size_t place) {
                          DWORD lus = 0;
                          return ReadFile(entree, morceau, static_cast<DWORD>(place), &lus, nullptr)
                                     ? static_cast<long>(lus)
                                     : -1L;
                      }});
}

// The Universal CRT's own access to a stream's buffer, which msvcrt lacks
// and mingw-w64's headers do not declare.
using PointeursDuTampon = int(__cdecl*)(FILE* flux, char*** debut, char*** courant, int** reste);

// Found in the runtime that holds stdin, told at run time: the module whose
// memory holds stdin's FILE, whichever headers the program was compiled
// with.
PointeursDuTampon pointeursDuTampon()
{
    static const PointeursDuTampon trouves = [] {
        HMODULE runtime = nullptr;
        const auto adresse = reinterpret_cast<LPCSTR>(static_cast<const void*>(stdin));
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                adresse, &runtime))
            return PointeursDuTampon{};
        const FARPROC trouve = GetProcAddress(runtime, "_get_stream_buffer_pointers");
        return reinterpret_cast<PointeursDuTampon>(reinterpret_cast<void (*)()>(trouve));  // as its type says
    }();
    return trouves;
}

// What the C runtime has read ahead into stdin's buffer. msvcrt empties an
// input stream's buffer on fflush; under the Universal CRT "the call to
// fflush has no effect, and any buffer is retained" (Microsoft's
// documentation of fflush), so the characters it holds are skipped through
// the pointers it gives, as glibc's __fpurge does.
void viderTamponDuRuntime()
{
    if (const PointeursDuTampon pointeurs = pointeursDuTampon()) {
        char** debut = nullptr;
        char** courant = nullptr;
        int* reste = nullptr;
        _lock_file(stdin);
        if (pointeurs(stdin, &debut, &courant, &reste) == 0 && *reste > 0) {
            *courant += *reste;
            *reste = 0;
        }
        _unlock_file(stdin);
        return;
    }
    // cppcheck-suppress fflushOnInputStream ; defined by msvcrt: it empties the buffer
    std::fflush(stdin);
}

}  // namespace

bool runtimeUniversel()
{
    return pointeursDuTampon() != nullptr;
}

bool entreeRepositionnable()
{
    // Seeking a console or a pipe is undefined in the C runtime rather than
    // refused: only a file on disk is tried.
    return GetFileType(entreeStandard()) == FILE_TYPE_DISK;
}

void ecarterSaisieEnAttente()
{
    viderTamponDuRuntime();
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
    // On the stack: the reader may be asked for the pause after memory ran out.
    wchar_t large[TamponConsoleUtf8::unitesParLecture];
    place = std::min(place, std::size(large));
    const std::size_t unites = lireMalgreCtrlC([&] {
        DWORD lus = 0;
        SetLastError(ERROR_SUCCESS);
        const bool reussie = ReadConsoleW(entreeStandard(), large, static_cast<DWORD>(place), &lus, nullptr) != 0;
        return LectureConsole{reussie, reussie ? std::min<std::size_t>(lus, place) : 0, GetLastError()};
    });
    std::copy_n(large, unites, morceau);
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

Echec echecDuSysteme()
{
    switch (_doserrno) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Echec::absent;
    case ERROR_SHARING_VIOLATION:  // opened by another program that shares it with none
    case ERROR_LOCK_VIOLATION:     // a part of it locked by another program (LockFileEx)
        return Echec::occupe;
    default:
        return errno == ENOENT ? Echec::absent : Echec::autre;
    }
}

void effacerEchec()
{
    errno = 0;
    _doserrno = 0;
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
