// Reading one field of a text file: a whole number, a decimal number, a raw
// character or a word, with the results of the stream library's own reads in
// the classic locale, on every standard library alike.
//
// How a field is read. Whole numbers and raw characters are left to the
// stream. Words and decimal numbers, most of the report's work, are taken
// from the stream buffer's own characters, in one of two ways:
// - the usual one, when the field lies whole in what the buffer holds (a mark
//   or a name inside a file): one pass, a number converted where it lies;
// - the general one, for any other case (the buffer ends inside the field,
//   an unbuffered or unusual stream): a run at a time across refills, a
//   number keeping a bounded copy of its digits, so any length fits.
// Which characters make a number is decided once, by `balayer`, for both:
// they differ only in what they keep of its digits.
#include "caracteres.h"
#include "tools.h"

#include <fast_float/fast_float.h>

#include <algorithm>
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
const char* borner(const char* debut, const char* fin, std::size_t place = SIZE_MAX)
{
    return debut + std::min<std::size_t>({static_cast<std::size_t>(fin - debut), INT_MAX, place});
}

// Hands the characters of `source` to `prendre` a run at a time, at most
// `place` of them in all; `prendre` returns where it stopped taking them,
// and they are consumed up to there. Stops there, or once `place` are taken
// without looking further. Returns whether the end of file was met. An
// unbuffered source (std::cin over stdio) is handed one character at a time.
template <class Prendre>
bool parcourir(std::streambuf& source, Prendre prendre, std::size_t place = SIZE_MAX)
{
    while (place > 0) {
        const int c = source.sgetc();
        if (c == Traits::eof())
            return true;
        const char* debut = AccesTampon::courant(source);
        const char* fin = AccesTampon::fin(source);
        const bool tamponne = debut != fin;
        const char seul = Traits::to_char_type(c);
        if (!tamponne)
            fin = (debut = &seul) + 1;
        fin = borner(debut, fin, place);
        const char* const arret = prendre(debut, fin);
        if (tamponne)
            AccesTampon::avancer(source, static_cast<int>(arret - debut));
        else if (arret != debut)
            source.sbumpc();
        if (arret != fin)
            return false;
        place -= static_cast<std::size_t>(arret - debut);
    }
    return false;
}

const char* sauterBlancs(const char* debut, const char* fin)
{
    while (debut != fin && estSeparateur(*debut))
        ++debut;
    return debut;
}

const char* finDuMot(const char* debut, const char* fin)
{
    while (debut != fin && !estSeparateur(*debut))
        ++debut;
    return debut;
}

// A decimal number as formatted extraction reads it: an optional sign,
// digits with at most one decimal point, then, once some digit has been
// seen, an exponent: e or E, an optional sign, digits. This records where
// the reading stands; the digits go to a keeper of the reader's choice.
struct Nombre {
    enum Etape : unsigned char { signe, entiers, decimales, signeExposant, exposant, fini } etape = signe;
    bool negatif = false;
    bool mantisse = false;  // some digit before the exponent
    bool avecExposant = false;
    bool exposantNegatif = false;
    bool chiffreExposant = false;
};

bool estValide(const Nombre& n)
{
    return n.mantisse && (!n.avecExposant || n.chiffreExposant);
}

// Takes from [p, fin) the characters that continue the number, handing each
// run of digits to `chiffres` (which takes the run and says where it ends).
// Returns where the number stops, or fin when it may go on: the characters
// that follow are then offered by calling again.
template <class Chiffres>
const char* balayer(Nombre& n, const char* p, const char* const fin, Chiffres& chiffres)
{
    // A run of the mantissa's digits, whole or decimal.
    const auto mantisse = [&](bool decimales) {
        const char* const depart = p;
        p = prendreMantisse(chiffres, p, fin, decimales);
        n.mantisse = n.mantisse || p != depart;
    };
    switch (n.etape) {
    case Nombre::signe:
        if (p == fin)
            return p;
        if (*p == '+' || *p == '-')
            n.negatif = *p++ == '-';
        n.etape = Nombre::entiers;
        [[fallthrough]];
    case Nombre::entiers:
        mantisse(false);
        if (p == fin)
            return p;
        if (*p != '.')
            goto finDeMantisse;  // no point: no decimals follow
        ++p;
        n.etape = Nombre::decimales;
        [[fallthrough]];
    case Nombre::decimales:
        mantisse(true);
        if (p == fin)
            return p;
    finDeMantisse:
        if ((*p != 'e' && *p != 'E') || !n.mantisse) {
            n.etape = Nombre::fini;
            return p;
        }
        ++p;
        n.avecExposant = true;
        n.etape = Nombre::signeExposant;
        [[fallthrough]];
    case Nombre::signeExposant:
        if (p == fin)
            return p;
        if (*p == '+' || *p == '-')
            n.exposantNegatif = *p++ == '-';
        n.etape = Nombre::exposant;
        [[fallthrough]];
    case Nombre::exposant: {
        const char* const depart = p;
        p = prendreExposant(chiffres, p, fin);
        n.chiffreExposant = n.chiffreExposant || p != depart;
        if (p != fin)
            n.etape = Nombre::fini;
        return p;
    }
    case Nombre::fini:
        break;
    }
    return p;
}

// What a number lying whole in the buffer keeps of its digits: enough to
// convert a short one at once. Any other is converted from its text.
struct ChiffresEnPlace {
    std::uint64_t valeur = 0;  // exact while nombre <= 19
    int nombre = 0;
    int decimales = 0;
};

const char* prendreMantisse(ChiffresEnPlace& chiffres, const char* p, const char* fin, bool decimales)
{
    const char* const depart = p;
    std::uint64_t valeur = chiffres.valeur;  // a local: stores through a char pointer could alias a member
    for (; p != fin && estChiffre(*p); ++p)
        valeur = valeur * 10 + static_cast<std::uint64_t>(*p - '0');
    chiffres.valeur = valeur;
    const auto nombre = static_cast<int>(std::min<std::ptrdiff_t>(p - depart, INT_MAX / 2));
    chiffres.nombre += nombre;
    if (decimales)
        chiffres.decimales = nombre;
    return p;
}

const char* prendreExposant(ChiffresEnPlace& /*chiffres*/, const char* p, const char* fin)
{
    return std::find_if_not(p, fin, estChiffre);
}

// Short marks such as "70.5" are most of what is read: at most 7 digits and
// no exponent. The digits and the power of ten are then exact floats, and
// one division rounds correctly: the exact case that fast_float tries first,
// taken here without reading the text again.
bool convertirCourt(const Nombre& n, const ChiffresEnPlace& chiffres, float& valeur)
{
    static constexpr float puissancesDeDix[] = {1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F, 1e6F, 1e7F};
    if (!estValide(n) || n.avecExposant || chiffres.nombre > 7)
        return false;
    const float absolue = static_cast<float>(chiffres.valeur) / puissancesDeDix[chiffres.decimales];
    valeur = n.negatif ? -absolue : absolue;
    return true;
}

// What a number read across refills keeps: its first significant digits
// only; later ones tell only whether any of them was not zero. A float's
// rounding boundaries have at most 113 significant digits, so 200 and a
// sticky last digit are worth the whole text.
constexpr int chiffresGardes = 200;
constexpr std::int64_t exposantBorne = 1'000'000'000'000;  // far beyond any float

struct Copie {
    bool collant = false;  // a digit dropped beyond those kept was not zero
    int compte = 0;
    char chiffres[chiffresGardes];
    std::int64_t decalage = 0;  // power of ten of the last kept digit
    std::int64_t exposant = 0;
};

const char* prendreMantisse(Copie& copie, const char* p, const char* fin, bool decimales)
{
    for (; p != fin && estChiffre(*p); ++p) {
        if (copie.compte == 0 && *p == '0') {
            copie.decalage -= decimales ? 1 : 0;  // zeros ahead of the first significant digit
        } else if (copie.compte < chiffresGardes) {
            copie.chiffres[copie.compte++] = *p;
            copie.decalage -= decimales ? 1 : 0;
        } else {
            copie.decalage += decimales ? 0 : 1;
            copie.collant = copie.collant || *p != '0';
        }
    }
    return p;
}

const char* prendreExposant(Copie& copie, const char* p, const char* fin)
{
    for (; p != fin && estChiffre(*p); ++p)
        copie.exposant = std::min(copie.exposant * 10 + (*p - '0'), exposantBorne);
    return p;
}

// The copy as a text of bounded length with the same value.
const char* recomposer(const Copie& copie, const Nombre& n, char* texte, char* limite)
{
    char* bout = texte;
    if (n.negatif)
        *bout++ = '-';
    if (copie.compte == 0) {
        *bout++ = '0';
        return bout;
    }
    bout = std::copy(copie.chiffres, copie.chiffres + copie.compte, bout);
    std::int64_t puissance = copie.decalage + (n.exposantNegatif ? -copie.exposant : copie.exposant);
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
    if ((flux.flags() & std::ios::skipws) != 0 && parcourir(*flux.rdbuf(), sauterBlancs)) {
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
// its buffer, copied as it goes.
bool lireNombreMorcele(std::istream& flux, float& valeur)
{
    if (!preparerLecture(flux))
        return false;
    Nombre nombre;
    Copie copie;
    const bool finDeFichier = parcourir(
        *flux.rdbuf(), [&](const char* morceau, const char* bout) { return balayer(nombre, morceau, bout, copie); });
    char texte[chiffresGardes + 32];
    const char* const texteFin = recomposer(copie, nombre, texte, std::end(texte));
    return terminer(flux, finDeFichier, convertir(nombre, texte, texteFin, valeur));
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
        ChiffresEnPlace chiffres;
        const char* const nombreDebut = sauterBlancs(debut, fin);
        const char* const arret = balayer(nombre, nombreDebut, fin, chiffres);
        if (arret != fin) {
            AccesTampon::avancer(*flux.rdbuf(), static_cast<int>(arret - debut));
            if (convertirCourt(nombre, chiffres, valeur))
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
        if (arret != fin) {  // then the word is not empty: it starts at a non-blank
            valeur.assign(mot, static_cast<std::size_t>(arret - mot));
            AccesTampon::avancer(*flux.rdbuf(), static_cast<int>(arret - debut));
            flux.width(0);
            return true;
        }
    }
    if (!preparerLecture(flux))
        return false;
    const std::streamsize largeur = flux.width();
    valeur.clear();
    const bool finDeFichier = parcourir(
        *flux.rdbuf(),
        [&](const char* morceau, const char* bout) {
            const char* const arret = finDuMot(morceau, bout);
            valeur.append(morceau, static_cast<std::size_t>(arret - morceau));
            return arret;
        },
        largeur > 0 ? static_cast<std::size_t>(largeur) : valeur.max_size());
    flux.width(0);
    return terminer(flux, finDeFichier, !valeur.empty());
}
