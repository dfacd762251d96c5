// Any bytes as the results file, through the report's own reading and
// printing: it must not crash, and must print one of its shapes.
#include "forme.h"
#include "rapport.h"
#include "tools/tools.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    std::istringstream entree(std::string(reinterpret_cast<const char*>(donnees), taille));
    if (fichierVide(entree))  // the program says "est vide" before the report starts
        return 0;
    std::ostringstream sortie;
    const bool reussi = imprimerRapport(entree, sortie);
    const std::string defaut = defautDeForme(sortie.str(), reussi);
    if (!defaut.empty()) {
        std::fprintf(stderr, "unexpected report shape: %s\n%s", defaut.c_str(), sortie.str().c_str());
        std::abort();
    }
    return 0;
}
