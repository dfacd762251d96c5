// Discarding type-ahead. A seekable input (a redirected file) is skipped to
// its end. A terminal, a console or a pipe cannot seek, so what is pending
// there is dropped at every level that may hold it: the C++ stream, then the
// console reader, the C runtime and the operating system (the platform's
// part). Nothing here may wait for new input.
#include "console_unicode.h"
#include "plateforme.h"
#include "tools/tools.h"

#include <iostream>

void viderTampon()
{
    std::cin.clear();
    if (entreeRepositionnable() && !std::cin.seekg(0, std::ios::end).fail()) {
        std::cin.ignore(maxIgnore, '\n');
    } else {
        std::cin.clear();
        // What std::cin's own buffer holds (with sync_with_stdio off), taken
        // one by one: ignore(n) would look past the last of them, and wait.
        for (std::streamsize dansLeFlux = std::cin.rdbuf()->in_avail(); dansLeFlux > 0; --dansLeFlux)
            std::cin.rdbuf()->sbumpc();
        if (auto* const lecteur = dynamic_cast<TamponConsoleUtf8*>(std::cin.rdbuf()))
            lecteur->ecarter();  // and the rest of a console line it read in part
        ecarterSaisieEnAttente();
    }
    // At a Windows console, typed text reads as UTF-8 again if the caller
    // gave std::cin a buffer of its own (its content was dropped above).
    brancherEntreeConsole();
    // Meeting the end of a file is no error for the next reader to inherit.
    std::cin.clear();
}
