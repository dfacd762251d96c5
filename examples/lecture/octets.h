// What arrived, byte by byte: " 48 c3 a9" for "Hé".
#ifndef LECTURE_OCTETS_H
#define LECTURE_OCTETS_H

#include <cstdio>
#include <string>

inline std::string octets(const std::string& texte)
{
    std::string hexadecimal;
    for (const char c : texte) {
        char octet[4];
        std::snprintf(octet, sizeof octet, " %02x", static_cast<unsigned char>(c));
        hexadecimal += octet;
    }
    return hexadecimal;
}

#endif
