// Text as a screen shows it. A name read from a file may be in UTF-8 or in
// a single-byte code page (Windows' ANSI code page, Latin-1): it is taken
// as UTF-8 when it is valid UTF-8, otherwise as one character a byte.
#include "largeurs_unicode.h"
#include "plateforme.h"
#include "tools.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <iterator>

namespace {

constexpr char32_t invalide = 0xFFFFFFFF;

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

// The character at `p`, which is moved past it; `invalide` for what RFC
// 3629 refuses: a stray or missing continuation byte, an overlong form, a
// surrogate, a value past U+10FFFF.
char32_t decoder(const unsigned char*& p, const unsigned char* fin)
{
    const unsigned char premier = *p++;
    if (premier < 0x80)
        return premier;
    int suite = 0;
    char32_t minimum = 0;  // below it the form is overlong
    if (premier >= 0xC2 && premier <= 0xDF) {
        suite = 1;
        minimum = 0x80;
    } else if (premier >= 0xE0 && premier <= 0xEF) {
        suite = 2;
        minimum = 0x800;
    } else if (premier >= 0xF0 && premier <= 0xF4) {
        suite = 3;
        minimum = 0x10000;
    } else {
        return invalide;
    }
    char32_t point = premier & (0x3FU >> suite);
    for (; suite > 0; --suite, ++p) {
        if (p == fin || (*p & 0xC0U) != 0x80)
            return invalide;
        point = point << 6 | (*p & 0x3FU);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return invalide;
    return point;
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
        if (decoder(p, fin) == invalide)
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
        const char32_t point = decoder(p, fin);
        if (point == invalide)
            return texte.size();
        largeur += static_cast<std::size_t>(colonnes(point));
    }
    return largeur;
}

void ecrireTexte(std::ostream& sortie, std::string_view texte)
{
    if (&sortie == &std::cout && sortieConsoleUnicode()) {
        sortie.flush();  // what was printed before comes first
        if (!ecrireConsoleUnicode(texte))
            sortie.setstate(std::ios::badbit);  // as a failed write to the stream says
        return;
    }
    sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
}
