// Any bytes read field after field, as numbers and as words alternately
// chosen by the first byte, reaching the helpers a few characters at a time
// (as many as the second byte says, or all at once for 0): they must agree
// with the stream library.
// A byte 0x01, a count k and a character stand for 16k copies of that
// character, so that numbers of hundreds of digits, past those a number
// keeps, are tried too.
#include "morcele.h"
#include "tools/tools.h"

#include <algorithm>
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
void comparer(std::istream& nous, const TamponMorcele& tampon, std::istringstream& eux)
{
    T lu{};
    T attendu{};
    const bool reussi = lireChamp(nous, lu);
    eux >> attendu;
    if (reussi != !eux.fail() || nous.rdstate() != eux.rdstate() || !pareil(lu, attendu) ||
        static_cast<std::streamsize>(tampon.reste().size()) != std::max<std::streamsize>(0, eux.rdbuf()->in_avail())) {
        std::fprintf(stderr, "lireChamp differs from the stream library\n");
        std::abort();
    }
}

std::string deplier(const std::uint8_t* donnees, std::size_t taille)
{
    std::string texte;
    for (std::size_t i = 0; i < taille; ++i) {
        if (donnees[i] == 0x01 && i + 2 < taille) {
            texte.append(std::size_t{16} * donnees[i + 1], static_cast<char>(donnees[i + 2]));
            i += 2;
        } else {
            texte += static_cast<char>(donnees[i]);
        }
    }
    return texte;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    if (taille < 2)
        return 0;
    const std::string texte = deplier(donnees + 2, taille - 2);
    TamponMorcele tampon(texte, donnees[1] == 0 ? texte.size() + 1 : donnees[1]);
    std::istream nous(&tampon);
    std::istringstream eux(texte);
    for (unsigned choix = donnees[0], tour = 0; tour < 64 && nous.good(); ++tour, choix = choix >> 1 | choix << 7) {
        if (choix & 1)
            comparer<std::string>(nous, tampon, eux);
        else
            comparer<float>(nous, tampon, eux);
        choix &= 0xff;
    }
    return 0;
}
