// Character classes of the classic locale, the only one the module reads
// in: what separates fields (space, \t, \n, \v, \f, \r) and what is a digit.
// Looked up rather than tested: millions of characters go through these.
#ifndef TOOLS_CARACTERES_H
#define TOOLS_CARACTERES_H

#include <array>

enum ClasseDeCaractere : unsigned char { autre = 0, separateur = 1, chiffre = 2 };

constexpr std::array<unsigned char, 256> tableDesClasses()
{
    std::array<unsigned char, 256> table{};
    for (const char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        table[static_cast<unsigned char>(c)] = separateur;
    for (char c = '0'; c <= '9'; ++c)
        table[static_cast<unsigned char>(c)] = chiffre;
    return table;
}

inline constexpr std::array<unsigned char, 256> classesDesCaracteres = tableDesClasses();

inline bool estSeparateur(char c)
{
    return classesDesCaracteres[static_cast<unsigned char>(c)] == separateur;
}

inline bool estChiffre(char c)
{
    return classesDesCaracteres[static_cast<unsigned char>(c)] == chiffre;
}

// Where the run of separators at `debut` ends.
inline const char* sauterSeparateurs(const char* debut, const char* fin)
{
    while (debut != fin && estSeparateur(*debut))
        ++debut;
    return debut;
}

// Where the word at `debut` ends: at the next separator.
inline const char* finDuMot(const char* debut, const char* fin)
{
    while (debut != fin && !estSeparateur(*debut))
        ++debut;
    return debut;
}

#endif
