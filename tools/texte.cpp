// Text as a screen shows it. A name read from a file may be in UTF-8 or in
// a single-byte code page (Windows' ANSI code page, Latin-1): it is taken
// as UTF-8 when it is valid UTF-8, otherwise as one character a byte.
#include "largeurs_unicode.h"
#include "tools.h"
#include "utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

template <class Mot>
Mot charger(const char* p)
{
    Mot mot = 0;
    std::memcpy(&mot, p, sizeof mot);
    return mot;
}

// Whether no byte has its high bit set: a few words read, overlapping,
// whatever the length, for the millions of short names a report lays out.
bool estAscii(std::string_view texte)
{
    const char* const p = texte.data();
    const std::size_t n = texte.size();
    std::uint64_t bits = 0;
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            bits |= charger<std::uint64_t>(p + i);
        bits |= charger<std::uint64_t>(p + n - 8);
    } else if (n >= 4) {
        bits = charger<std::uint32_t>(p) | charger<std::uint32_t>(p + n - 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            bits |= static_cast<unsigned char>(p[i]);
    }
    return (bits & 0x8080808080808080U) == 0;
}

int colonnes(char32_t point)
{
    if (point < plagesDeLargeur[0][0])  // Latin letters with their accents, before any mark
        return 1;
    const auto apres = std::upper_bound(std::begin(plagesDeLargeur), std::end(plagesDeLargeur), point,
                                        [](char32_t p, const char32_t(&plage)[3]) { return p < plage[0]; });
    const auto& plage = *std::prev(apres);
    return point <= plage[1] ? static_cast<int>(plage[2]) : 1;
}

}  // namespace

bool estUtf8(std::string_view texte)
{
    const auto* p = reinterpret_cast<const unsigned char*>(texte.data());
    const auto* const fin = p + texte.size();
    while (p != fin)
        if (decoderUtf8(p, fin) == pointInvalide)
            return false;
    return true;
}

std::size_t largeurAffichee(std::string_view texte)
{
    if (estAscii(texte))  // most names: nothing to decode
        return texte.size();
    const auto* p = reinterpret_cast<const unsigned char*>(texte.data());
    const auto* const fin = p + texte.size();
    std::size_t largeur = 0;
    while (p != fin) {
        const char32_t point = decoderUtf8(p, fin);
        if (point == pointInvalide)
            return texte.size();
        largeur += static_cast<std::size_t>(colonnes(point));
    }
    return largeur;
}
