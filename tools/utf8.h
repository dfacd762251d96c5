// UTF-8 (RFC 3629) one character at a time, for the module's text: names
// laid out by their columns, text shown at and typed at a Windows console.
// Inline: accented names are decoded in the report's inner loop.
#ifndef TOOLS_UTF8_H
#define TOOLS_UTF8_H

#include <cstddef>

// What decoderUtf8 gives for bytes that RFC 3629 refuses.
constexpr char32_t pointInvalide = 0xFFFFFFFF;
// What stands for a character that cannot be read (U+FFFD).
constexpr char32_t caractereDeRemplacement = 0xFFFD;

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
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return pointInvalide;
    return point;
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

#endif
