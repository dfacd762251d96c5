// Discarding type-ahead. A seekable input (a redirected file) is skipped to
// its end. A terminal, a console or a pipe cannot seek, so what is pending
// there is dropped at every level that may hold it: the C++ stream, then the
// C runtime and the operating system (the platform's part). Nothing here may
// wait for new input.
#include "plateforme.h"
#include "tools.h"

#include <iostream>

void viderTampon()
{
    std::cin.clear();
    if (entreeRepositionnable() && !std::cin.seekg(0, std::ios::end).fail()) {
        std::cin.ignore(maxIgnore, '\n');
    } else {
        std::cin.clear();
        const std::streamsize dansLeFlux = std::cin.rdbuf()->in_avail();
        if (dansLeFlux > 0)
            std::cin.ignore(dansLeFlux);
        ecarterSaisieEnAttente();
    }
    // Meeting the end of a file is no error for the next reader to inherit.
    std::cin.clear();
}
