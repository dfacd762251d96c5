// Any bytes read field after field, as numbers and as words alternately
// chosen by the first byte: the helpers must agree with the stream library.
#include "tools/tools.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

bool pareil(const std::string& a, const std::string& b)
{
    return a == b;
}

bool pareil(float a, float b)  // -0 and 0 differ on the screen
{
    return a == b && std::signbit(a) == std::signbit(b);
}

template <class T>
void comparer(std::istringstream& nous, std::istringstream& eux)
{
    T lu{};
    T attendu{};
    const bool reussi = lireChamp(nous, lu);
    eux >> attendu;
    if (reussi != !eux.fail() || nous.rdstate() != eux.rdstate() || !pareil(lu, attendu) ||
        nous.tellg() != eux.tellg()) {
        std::fprintf(stderr, "lireChamp differs from the stream library\n");
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    if (taille == 0)
        return 0;
    const std::string texte(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    std::istringstream nous(texte);
    std::istringstream eux(texte);
    for (unsigned choix = donnees[0], tour = 0; tour < 64 && nous.good(); ++tour, choix = choix >> 1 | choix << 7) {
        if (choix & 1)
            comparer<std::string>(nous, eux);
        else
            comparer<float>(nous, eux);
        choix &= 0xff;
    }
    return 0;
}
