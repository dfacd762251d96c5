// Text as a screen shows it: the columns of a name, counted as tools.h says
// at largeurAffichee.
#include "largeurs_unicode.h"
#include "tools/tools.h"
#include "utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

// The bytes at `p` as a word, the first in its low byte whatever the
// machine's byte order: the measures below take the byte after byte i for
// byte i + 1. A big-endian machine turns the word round (one instruction);
// a little-endian one loads it as it is.
template <class Mot>
Mot charger(const char* p)
{
    Mot mot = 0;
    std::memcpy(&mot, p, sizeof mot);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    if constexpr (sizeof mot == 8)
        mot = __builtin_bswap64(mot);
    else
        mot = __builtin_bswap32(mot);
#endif
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

// Latin letters and their accents come before the first character of the
// table: two-byte characters below U+0300, led by 0xC2 to 0xCB.
static_assert(plagesDeLargeur[0].premier == 0x300);

constexpr std::uint64_t chaqueOctet(unsigned char octet)
{
    return 0x0101010101010101U * octet;
}

// The bytes [p, p + n), n < 8, as the low bytes of a word, the others 0:
// overlapping reads, no call to copy them.
std::uint64_t chargerDebut(const char* p, std::size_t n)
{
    if (n >= 4)
        return charger<std::uint32_t>(p) | std::uint64_t{charger<std::uint32_t>(p + n - 4)} << (8 * (n - 4));
    std::uint64_t mot = 0;
    for (std::size_t i = 0; i < n; ++i)
        mot |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
    return mot;
}

// The columns of a text of ASCII and such letters, the accented names of a
// French class: one a character, so its bytes less its continuation bytes.
// False for any other text. Eight bytes at a time, without a branch on
// each: accented names vary, and decoding them a character at a time cost
// 5.4 more mispredicted branches a student, 13% of the time (bench/README.md).
bool largeurLatine(std::string_view texte, std::size_t& largeur)
{
    const std::uint64_t bit7 = chaqueOctet(0x80);
    std::uint64_t refus = 0;
    std::uint64_t suites = 0;
    std::uint64_t retenue = 0;  // a lead byte that ended the previous word
    const auto etudier = [&](std::uint64_t mot) {
        const std::uint64_t haut = mot & bit7;                                   // from 0x80
        const std::uint64_t bit6 = mot << 1 & bit7;                              // bit 6, moved to bit 7
        const std::uint64_t tetes = haut & bit6;                                 // lead bytes, from 0xC0
        const std::uint64_t suite = haut & ~bit6;                                // continuation bytes, 0x80 to 0xBF
        const std::uint64_t attendues = tetes << 8 | retenue;                    // one after each lead byte
        const std::uint64_t desCC = ((mot & ~bit7) + chaqueOctet(0x34)) & bit7;  // from 0xCC, as leads
        const std::uint64_t pasC0C1 = ((mot & chaqueOctet(0x7E)) ^ chaqueOctet(0x40)) + chaqueOctet(0x7F);
        refus |= (suite ^ attendues) | (tetes & desCC) | (tetes & ~pasC0C1 & bit7);
        suites += (suite >> 7) * chaqueOctet(1) >> 56;  // the bytes' sum gathers in the top byte
        retenue = tetes >> 56;
    };
    const char* const p = texte.data();
    const std::size_t n = texte.size();
    std::size_t debut = 0;
    for (; debut + 8 <= n; debut += 8)
        etudier(charger<std::uint64_t>(p + debut));
    if (const std::size_t reste = n - debut; reste > 0)  // then NULs: a lead byte last is followed by none
        etudier(n >= 8 ? charger<std::uint64_t>(p + n - 8) >> (8 * (8 - reste)) : chargerDebut(p, n));
    largeur = n - suites;
    return (refus | retenue) == 0;
}

int colonnes(char32_t point)
{
    if (point < plagesDeLargeur[0].premier)  // Latin letters with their accents, before any mark
        return 1;
    const auto apres = std::upper_bound(std::begin(plagesDeLargeur), std::end(plagesDeLargeur), point,
                                        [](char32_t p, const PlageDeLargeur& plage) { return p < plage.premier; });
    const auto& plage = *std::prev(apres);
    return point <= plage.dernier ? plage.colonnes : 1;
}

// Out of line: the registers it needs would otherwise be saved and restored
// for every ASCII name too (18 instructions a student).
[[gnu::noinline]] std::size_t largeurDecodee(std::string_view texte)
{
    std::size_t largeur = 0;
    if (largeurLatine(texte, largeur))
        return largeur;
    largeur = 0;
    const bool utf8 = decoderChaqueCaractere(
        texte, [&largeur](char32_t point) { largeur += static_cast<std::size_t>(colonnes(point)); });
    return utf8 ? largeur : texte.size();
}

}  // namespace

bool estUtf8(std::string_view texte)
{
    return decoderChaqueCaractere(texte, [](char32_t) {});
}

std::size_t largeurAffichee(std::string_view texte)
{
    if (estAscii(texte))  // most names: nothing to decode
        return texte.size();
    return largeurDecodee(texte);
}
