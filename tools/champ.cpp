// Reading one field of a text file: a whole number, a decimal number, a raw
// character or a word, with the results of the stream library's own reads in
// the classic locale, on every standard library alike.
//
// Numbers and words are taken from the stream buffer a run of characters at
// a time, and a number of any length is read in bounded memory: reading marks
// and names is most of the report's work.
#include "tools.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdint>
#include <limits>

namespace {

using Traits = std::istream::traits_type;

// The stream buffer's get area is protected; a pointer to member named
// through a derived type reaches it, as the language allows. Never made.
struct AccesTampon : std::streambuf {
    static const char* courant(const std::streambuf& tampon)
    {
        return (tampon.*&AccesTampon::gptr)();
    }
    static const char* fin(const std::streambuf& tampon)
    {
        return (tampon.*&AccesTampon::egptr)();
    }
    // cppcheck-suppress constParameter ; gbump moves the buffer's position
    static void avancer(std::streambuf& tampon, int n)
    {
        (tampon.*&AccesTampon::gbump)(n);
    }
};

// A run handed on at once is counted in int, as the buffer moves by.
const char* borner(const char* debut, const char* fin)
{
    return debut + std::min<std::ptrdiff_t>(fin - debut, INT_MAX);
}

// Hands the characters of `source` to `prendre` a run at a time; `prendre`
// returns where it stopped taking them, and they are consumed up to there.
// Returns the first character left, or end of file. An unbuffered source
// (std::cin over stdio) is handed one character at a time.
template <class Prendre>
int parcourir(std::streambuf& source, Prendre prendre)
{
    for (int c = source.sgetc(); c != Traits::eof(); c = source.sgetc()) {
        const char* debut = AccesTampon::courant(source);
        const char* fin = AccesTampon::fin(source);
        const bool tamponne = debut != fin;
        const char seul = Traits::to_char_type(c);
        if (tamponne)
            fin = borner(debut, fin);
        else
            fin = (debut = &seul) + 1;
        const char* const arret = prendre(debut, fin);
        if (tamponne)
            AccesTampon::avancer(source, static_cast<int>(arret - debut));
        else if (arret != debut)
            source.sbumpc();
        if (arret != fin)
            return Traits::to_int_type(*arret);
    }
    return Traits::eof();
}

// Character classes of the classic locale, looked up rather than tested:
// millions of characters go through these.
enum Classe : unsigned char { autre = 0, blanc = 1, chiffre = 2 };

constexpr std::array<unsigned char, 256> tableDesClasses()
{
    std::array<unsigned char, 256> table{};
    for (const char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        table[static_cast<unsigned char>(c)] = blanc;
    for (char c = '0'; c <= '9'; ++c)
        table[static_cast<unsigned char>(c)] = chiffre;
    return table;
}

constexpr std::array<unsigned char, 256> classes = tableDesClasses();

bool estBlanc(char c)
{
    return classes[static_cast<unsigned char>(c)] == blanc;
}

bool estChiffre(char c)
{
    return classes[static_cast<unsigned char>(c)] == chiffre;
}

const char* sauterBlancs(const char* debut, const char* fin)
{
    while (debut != fin && estBlanc(*debut))
        ++debut;
    return debut;
}

const char* finDuMot(const char* debut, const char* fin)
{
    while (debut != fin && !estBlanc(*debut))
        ++debut;
    return debut;
}

// A decimal number as formatted extraction takes it: the rules that say
// which characters belong to it, and what they are worth.
struct Nombre {
    enum Etape { signe, corps, apresE, exposant, fini } etape = signe;
    bool negatif = false;
    bool mantisse = false;  // a digit before the exponent
    bool point = false;
    bool avecExposant = false;
    bool chiffreExposant = false;
    // Kept by the one-pass reading only: the digits, mantissa and decimals.
    bool enUnePasse = false;
    int nbChiffres = 0;
    int nbDecimales = 0;
    std::uint64_t chiffres = 0;  // exact while nbChiffres <= 19
};

// One character offered to the number: whether it is part of it. The rules
// of the library's extraction: a sign first, digits with one decimal point,
// then an exponent once some digit has been seen, with its own sign right
// after the e.
bool accepter(Nombre& n, char c)
{
    switch (n.etape) {
    case Nombre::signe:
        n.etape = Nombre::corps;
        if (c == '+' || c == '-') {
            n.negatif = c == '-';
            return true;
        }
        [[fallthrough]];
    case Nombre::corps:
        if (estChiffre(c)) {
            n.mantisse = true;
        } else if (c == '.' && !n.point) {
            n.point = true;
        } else if ((c == 'e' || c == 'E') && n.mantisse) {
            n.avecExposant = true;
            n.etape = Nombre::apresE;
        } else {
            break;
        }
        return true;
    case Nombre::apresE:
        n.etape = Nombre::exposant;
        if (c == '+' || c == '-')
            return true;
        [[fallthrough]];
    case Nombre::exposant:
        if (!estChiffre(c))
            break;
        n.chiffreExposant = true;
        return true;
    case Nombre::fini:
        return false;
    }
    n.etape = Nombre::fini;
    return false;
}

// The same rules, for a number that lies whole in [debut, fin), as one pass:
// returns where it ends, or fin if it may go on past it.
const char* balayer(Nombre& n, const char* p, const char* const fin)
{
    const auto chiffres = [&] {
        const char* const depart = p;
        std::uint64_t valeur = n.chiffres;  // a local: stores through a char pointer could alias a member
        for (; p != fin && estChiffre(*p); ++p)
            valeur = valeur * 10 + static_cast<std::uint64_t>(*p - '0');
        n.chiffres = valeur;
        const auto nombre = static_cast<int>(std::min<std::ptrdiff_t>(p - depart, INT_MAX / 2));
        n.nbChiffres += nombre;
        return nombre;
    };
    n.enUnePasse = true;
    if (p != fin && (*p == '+' || *p == '-'))
        n.negatif = *p++ == '-';
    chiffres();
    if (p != fin && *p == '.') {
        ++p;
        n.nbDecimales = chiffres();
    }
    n.mantisse = n.nbChiffres > 0;
    if (p != fin && (*p == 'e' || *p == 'E') && n.mantisse) {
        n.avecExposant = true;
        if (++p != fin && (*p == '+' || *p == '-'))
            ++p;
        const char* const depart = p;
        while (p != fin && estChiffre(*p))
            ++p;
        n.chiffreExposant = p != depart;
    }
    return p;
}

// Short marks such as "70.5" are most of what is read: at most 7 digits and
// no exponent. The digits and the power of ten are then exact floats, and
// one division rounds correctly: the exact case that fast_float tries first,
// taken here without reading the text again.
bool convertirCourt(const Nombre& n, float& valeur)
{
    static constexpr float puissancesDeDix[] = {1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F, 1e6F, 1e7F};
    if (!n.enUnePasse || n.avecExposant || n.nbChiffres > 7)
        return false;
    const float absolue = static_cast<float>(n.chiffres) / puissancesDeDix[n.nbDecimales];
    valeur = n.negatif ? -absolue : absolue;
    return true;
}

bool estValide(const Nombre& n)
{
    return n.mantisse && (!n.avecExposant || n.chiffreExposant);
}

// A number split across refills of the stream buffer is copied, but only its
// first significant digits: later ones only tell whether any of them was not
// zero. A float's rounding boundaries have at most 113 significant digits,
// so 200 and a sticky last digit are worth the whole text.
constexpr int chiffresGardes = 200;
constexpr std::int64_t exposantBorne = 1'000'000'000'000;  // far beyond any float

struct Copie {
    bool exposantNegatif = false;
    bool collant = false;  // a digit dropped beyond those kept was not zero
    int compte = 0;
    char chiffres[chiffresGardes];
    std::int64_t decalage = 0;  // power of ten of the last kept digit
    std::int64_t exposant = 0;
};

void ajouterChiffre(Copie& copie, char c, bool decimale)
{
    if (copie.compte == 0 && c == '0') {
        copie.decalage -= decimale ? 1 : 0;  // zeros ahead of the first significant digit
    } else if (copie.compte < chiffresGardes) {
        copie.chiffres[copie.compte++] = c;
        copie.decalage -= decimale ? 1 : 0;
    } else {
        copie.decalage += decimale ? 0 : 1;
        copie.collant = copie.collant || c != '0';
    }
}

// A character the number has just accepted, placed by where the number
// now stands: a digit of the mantissa or of the exponent, the exponent's
// sign; the rest (sign, point, e) is in the number itself.
void copier(Copie& copie, const Nombre& nombre, char c)
{
    if (nombre.etape == Nombre::exposant && estChiffre(c))
        copie.exposant = std::min(copie.exposant * 10 + (c - '0'), exposantBorne);
    else if (nombre.etape == Nombre::exposant)
        copie.exposantNegatif = c == '-';
    else if (estChiffre(c))
        ajouterChiffre(copie, c, nombre.point);
}

// The copy as a text of bounded length with the same value.
const char* recomposer(const Copie& copie, bool negatif, char* texte, char* limite)
{
    char* bout = texte;
    if (negatif)
        *bout++ = '-';
    if (copie.compte == 0) {
        *bout++ = '0';
        return bout;
    }
    bout = std::copy(copie.chiffres, copie.chiffres + copie.compte, bout);
    std::int64_t puissance = copie.decalage + (copie.exposantNegatif ? -copie.exposant : copie.exposant);
    if (copie.collant) {
        *bout++ = '1';
        --puissance;
    }
    *bout++ = 'e';
    return std::to_chars(bout, limite, std::clamp<std::int64_t>(puissance, -99999, 99999)).ptr;
}

// The library's rules: the whole text must be a number (else 0 and a
// failure); beyond the range of float the value is the largest float of
// that sign and the read fails; a value too small to represent is kept as
// the nearest float.
bool convertir(const Nombre& n, const char* debut, const char* fin, float& valeur)
{
    if (!estValide(n)) {
        valeur = 0;
        return false;
    }
    if (*debut == '+')
        ++debut;  // fast_float takes no plus sign
    fast_float::from_chars(debut, fin, valeur);
    if (valeur == std::numeric_limits<float>::infinity() || valeur == -std::numeric_limits<float>::infinity()) {
        valeur = n.negatif ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
        return false;
    }
    return true;
}

// What the stream's own sentry does before a formatted read: refuse a stream
// in error, flush the tied output, skip leading whitespace.
bool preparerLecture(std::istream& flux)
{
    if (!flux.good()) {
        flux.setstate(std::ios::failbit);
        return false;
    }
    if (flux.tie())
        flux.tie()->flush();
    if ((flux.flags() & std::ios::skipws) == 0)
        return true;
    const int suivant = parcourir(*flux.rdbuf(), sauterBlancs);
    if (suivant == Traits::eof()) {
        flux.setstate(std::ios::eofbit | std::ios::failbit);
        return false;
    }
    return true;
}

// The usual case, read with the buffer's pointers alone: a stream in good
// order, tied to nothing, skipping whitespace, with characters in its
// buffer. Gives them, or false where the general way must be taken.
bool zoneTamponnee(std::istream& flux, const char*& debut, const char*& fin)
{
    if (flux.rdstate() != std::ios::goodbit || flux.tie() || (flux.flags() & std::ios::skipws) == 0)
        return false;
    debut = AccesTampon::courant(*flux.rdbuf());
    fin = borner(debut, AccesTampon::fin(*flux.rdbuf()));
    return debut != fin;
}

bool terminer(std::istream& flux, bool finDeFichier, bool reussi)
{
    if (finDeFichier || !reussi)  // setstate is out of line, and most reads end well
        flux.setstate((finDeFichier ? std::ios::eofbit : std::ios::goodbit) |
                      (reussi ? std::ios::goodbit : std::ios::failbit));
    return reussi;
}

// The general way: any stream, and a number that may run past refills of
// its buffer, copied as it goes and read character by character.
bool lireNombreMorcele(std::istream& flux, float& valeur)
{
    if (!preparerLecture(flux))
        return false;
    Nombre nombre;
    Copie copie;
    const auto prendre = [&](char c) {
        if (!accepter(nombre, c))
            return false;
        copier(copie, nombre, c);
        return true;
    };
    const int suivant = parcourir(
        *flux.rdbuf(), [&](const char* morceau, const char* bout) { return std::find_if_not(morceau, bout, prendre); });
    char texte[chiffresGardes + 32];
    const char* const texteFin = recomposer(copie, nombre.negatif, texte, std::end(texte));
    return terminer(flux, suivant == Traits::eof(), convertir(nombre, texte, texteFin, valeur));
}

}  // namespace

bool lireChamp(std::istream& flux, int& valeur)
{
    flux >> valeur;
    return !flux.fail();
}

bool lireChamp(std::istream& flux, float& valeur)
{
    const char* debut = nullptr;
    const char* fin = nullptr;
    if (zoneTamponnee(flux, debut, fin)) {
        Nombre nombre;
        const char* const nombreDebut = sauterBlancs(debut, fin);
        const char* const arret = balayer(nombre, nombreDebut, fin);
        if (arret != fin) {
            AccesTampon::avancer(*flux.rdbuf(), static_cast<int>(arret - debut));
            if (estValide(nombre) && convertirCourt(nombre, valeur))
                return true;
            return terminer(flux, false, convertir(nombre, nombreDebut, arret, valeur));
        }
    }
    return lireNombreMorcele(flux, valeur);
}

bool lireChamp(std::istream& flux, char& valeur)
{
    valeur = Traits::to_char_type(flux.get());
    return !flux.fail();
}

// As `flux >> valeur`: one word, at most width() characters when set.
bool lireChamp(std::istream& flux, std::string& valeur)
{
    const char* debut = nullptr;
    const char* fin = nullptr;
    if (flux.width() <= 0 && zoneTamponnee(flux, debut, fin)) {
        const char* const mot = sauterBlancs(debut, fin);
        const char* const arret = finDuMot(mot, fin);
        if (arret != fin) {
            valeur.assign(mot, static_cast<std::size_t>(arret - mot));
            AccesTampon::avancer(*flux.rdbuf(), static_cast<int>(arret - debut));
            flux.width(0);
            return terminer(flux, false, arret != mot);
        }
    }
    if (!preparerLecture(flux))
        return false;
    const std::streamsize largeur = flux.width();
    const std::size_t limite = largeur > 0 ? static_cast<std::size_t>(largeur) : valeur.max_size();
    valeur.clear();
    const int suivant = parcourir(*flux.rdbuf(), [&](const char* morceau, const char* bout) {
        const auto place = static_cast<std::ptrdiff_t>(std::min<std::size_t>(limite - valeur.size(), PTRDIFF_MAX));
        const char* const arret = finDuMot(morceau, morceau + std::min(place, bout - morceau));
        valeur.append(morceau, static_cast<std::size_t>(arret - morceau));
        return arret;
    });
    flux.width(0);
    return terminer(flux, suivant == Traits::eof(), !valeur.empty());
}
