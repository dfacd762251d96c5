// Unicode's encodings as the module's text meets them, each written once:
// UTF-8 (RFC 3629), the module's text on every platform, and UTF-16, what a
// Windows console takes and gives. Inline: accented names are decoded in the
// report's inner loop.
#ifndef TOOLS_UTF8_H
#define TOOLS_UTF8_H

#include <cstddef>
#include <string_view>

// What decoderUtf8 gives for bytes that RFC 3629 refuses.
constexpr char32_t pointInvalide = 0xFFFFFFFF;
// What stands for a character that cannot be read (U+FFFD).
constexpr char32_t caractereDeRemplacement = 0xFFFD;

// UTF-16's surrogates: a character beyond U+FFFF is a high one (U+D800 to
// U+DBFF) then a low one (U+DC00 to U+DFFF); neither is a character alone.
constexpr bool estSurrogatHaut(char32_t unite)
{
    return unite >= 0xD800 && unite <= 0xDBFF;
}

constexpr bool estSurrogatBas(char32_t unite)
{
    return unite >= 0xDC00 && unite <= 0xDFFF;
}

constexpr char32_t combinerSurrogats(char16_t haut, char16_t bas)
{
    return 0x10000 + (static_cast<char32_t>(haut - 0xD800) << 10) + static_cast<char32_t>(bas - 0xDC00);
}

// The character at `p`, which is moved past it; `pointInvalide` for a
// stray or missing continuation byte, an overlong form, a surrogate, a value
// past U+10FFFF.
inline char32_t decoderUtf8(const unsigned char*& p, const unsigned char* fin)
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
        return pointInvalide;
    }
    char32_t point = premier & (0x3FU >> suite);
    for (; suite > 0; --suite, ++p) {
        if (p == fin || (*p & 0xC0U) != 0x80)
            return pointInvalide;
        point = point << 6 | (*p & 0x3FU);
    }
    if (point < minimum || point > 0x10FFFF || estSurrogatHaut(point) || estSurrogatBas(point))
        return pointInvalide;
    return point;
}

// Hands each character of `texte` to `prendre`, in order. False, having
// handed those before it, at the first bytes that are not valid UTF-8.
template <class Prendre>
bool decoderChaqueCaractere(std::string_view texte, Prendre&& prendre)
{
    const auto* p = reinterpret_cast<const unsigned char*>(texte.data());
    const auto* const fin = p + texte.size();
    while (p != fin) {
        const char32_t point = decoderUtf8(p, fin);
        if (point == pointInvalide)
            return false;
        prendre(point);
    }
    return true;
}

// Writes `point` (at most U+10FFFF, not a surrogate) at `sortie` as 1 to 4
// bytes; returns how many.
inline std::size_t encoderUtf8(char32_t point, char* sortie)
{
    const auto octet = [](char32_t valeur) { return static_cast<char>(static_cast<unsigned char>(valeur)); };
    if (point < 0x80) {
        sortie[0] = octet(point);
        return 1;
    }
    if (point < 0x800) {
        sortie[0] = octet(0xC0 | point >> 6);
        sortie[1] = octet(0x80 | (point & 0x3F));
        return 2;
    }
    if (point < 0x10000) {
        sortie[0] = octet(0xE0 | point >> 12);
        sortie[1] = octet(0x80 | (point >> 6 & 0x3F));
        sortie[2] = octet(0x80 | (point & 0x3F));
        return 3;
    }
    sortie[0] = octet(0xF0 | point >> 18);
    sortie[1] = octet(0x80 | (point >> 12 & 0x3F));
    sortie[2] = octet(0x80 | (point >> 6 & 0x3F));
    sortie[3] = octet(0x80 | (point & 0x3F));
    return 4;
}

// Units of UTF-16 that `point` takes: two beyond U+FFFF.
constexpr std::size_t unitesUtf16(char32_t point)
{
    return point < 0x10000 ? 1 : 2;
}

// Writes `point` (at most U+10FFFF) at `sortie` as UTF-16; returns how many
// units.
inline std::size_t encoderUtf16(char32_t point, char16_t* sortie)
{
    if (unitesUtf16(point) == 1) {
        sortie[0] = static_cast<char16_t>(point);
        return 1;
    }
    point -= 0x10000;
    sortie[0] = static_cast<char16_t>(0xD800 + (point >> 10));
    sortie[1] = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    return 2;
}

#endif
