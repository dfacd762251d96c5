// Reading one field of a text file: a whole number, a decimal number, a raw
// character or a word, with the results of the stream library's own reads in
// the classic locale, on every standard library alike.
//
// How a field is read. Whole numbers and raw characters are left to the
// stream. Words and decimal numbers, most of the report's work, are taken
// from the stream buffer's own characters (fenetre_tampon.h), in one of two
// ways:
// - the usual one, when the field lies whole in what the buffer holds (a mark
//   or a name inside a file): one pass, a number converted where it lies;
// - the general one, for any other case (the buffer ends inside the field,
//   an unbuffered or unusual stream): a run at a time across refills, a
//   number keeping a bounded copy of its digits, so any length fits.
// Which characters make a number is decided once, by the scanner `balayer`
// below, for both: they differ only in what they keep of its digits.
#include "fenetre_tampon.h"
#include "tools/tools.h"

#include <fast_float/fast_float.h>

#include <cassert>
#include <charconv>
#include <limits>

namespace {

// A decimal number as formatted extraction reads it: an optional sign,
// digits with at most one decimal point, then, once some digit has been
// seen, an exponent: e or E, an optional sign, digits. This records where
// the reading stands; the digits go to a keeper of the reader's choice.
struct Nombre {
    enum Etape : unsigned char { signe, entiers, decimales, signeExposant, exposant, fini } etape = signe;
    bool negatif = false;
    bool chiffreDeMantisse = false;  // some digit before the exponent
    bool avecExposant = false;
    bool exposantNegatif = false;
    bool chiffreDExposant = false;
};

bool estValide(const Nombre& n)
{
    return n.chiffreDeMantisse && (!n.avecExposant || n.chiffreDExposant);
}

// The sign of the number or of its exponent, if there is one at `p`.
const char* prendreSigne(const char* p, bool& negatif)
{
    if (*p == '+' || *p == '-')
        negatif = *p++ == '-';
    return p;
}

// The two keepers of digits. Each takes a run of the mantissa's digits
// (before the point or after it) or of the exponent's, and returns where
// the run ends.

// What a number lying whole in the buffer keeps: enough to convert a short
// one at once. Any other is converted from its text, where it lies.
struct ChiffresEnPlace {
    std::uint64_t valeur = 0;  // exact while compte <= 19
    int compte = 0;            // digits of the mantissa
    int apresLePoint = 0;      // of which after the point

    const char* prendreMantisse(const char* p, const char* fin, bool decimaux)
    {
        const char* const depart = p;
        std::uint64_t v = valeur;  // a local: stores through a char pointer could alias a member
        for (; p != fin && estChiffre(*p); ++p)
            v = v * 10 + static_cast<std::uint64_t>(*p - '0');
        valeur = v;
        const auto chiffres = static_cast<int>(std::min<std::ptrdiff_t>(p - depart, INT_MAX / 2));
        compte += chiffres;
        if (decimaux)
            apresLePoint = chiffres;
        return p;
    }

    static const char* prendreExposant(const char* p, const char* fin)
    {
        return std::find_if_not(p, fin, estChiffre);
    }
};

// What a number read across refills keeps: its first significant digits
// only; later ones tell only whether any of them was not zero. A float's
// rounding boundaries have at most 113 significant digits, so 200 and a
// sticky last digit are worth the whole text.
constexpr int chiffresGardes = 200;
constexpr std::int64_t exposantBorne = 1'000'000'000'000;  // far beyond any float

struct ChiffresCopies {
    bool collant = false;         // a digit dropped beyond those kept was not zero
    int compte = 0;               // digits kept
    char gardes[chiffresGardes];  // the first `compte` only are ever read
    std::int64_t decalage = 0;    // power of ten of the last kept digit
    std::int64_t exposant = 0;

    const char* prendreMantisse(const char* p, const char* fin, bool decimaux)
    {
        for (; p != fin && estChiffre(*p); ++p) {
            if (compte == 0 && *p == '0') {
                decalage -= decimaux ? 1 : 0;  // zeros ahead of the first significant digit
            } else if (compte < chiffresGardes) {
                gardes[compte++] = *p;
                decalage -= decimaux ? 1 : 0;
            } else {
                decalage += decimaux ? 0 : 1;
                collant = collant || *p != '0';
            }
        }
        return p;
    }

    const char* prendreExposant(const char* p, const char* fin)
    {
        for (; p != fin && estChiffre(*p); ++p)
            exposant = std::min(exposant * 10 + (*p - '0'), exposantBorne);
        return p;
    }
};

// The scanner. It takes from [p, fin) the characters that continue the
// number, handing each run of digits to `chiffres`, and returns where the
// number stops, or fin when it may go on: the characters that follow are
// then offered by calling again, from the state it stopped in.

template <class Chiffres>
const char* balayerMantisse(Nombre& n, const char* p, const char* fin, Chiffres& chiffres, bool decimaux)
{
    const char* const arret = chiffres.prendreMantisse(p, fin, decimaux);
    n.chiffreDeMantisse = n.chiffreDeMantisse || arret != p;
    return arret;
}

template <class Chiffres>
const char* balayerExposant(Nombre& n, const char* p, const char* fin, Chiffres& chiffres)
{
    if (n.etape == Nombre::signeExposant) {
        if (p == fin)
            return p;
        p = prendreSigne(p, n.exposantNegatif);
        n.etape = Nombre::exposant;
    }
    const char* const arret = chiffres.prendreExposant(p, fin);
    n.chiffreDExposant = n.chiffreDExposant || arret != p;
    if (arret != fin)
        n.etape = Nombre::fini;
    return arret;
}

// The states fall through one another, and a mantissa without a point
// breaks out to its end at once: a loop over a switch of states cost 219
// more instructions a student (bench/README.md). Inlined into each reader,
// which the compiler would not do for the two that read a float in place:
// called out of line, it cost 143 instructions a student more.
template <class Chiffres>
[[gnu::always_inline]] inline const char* balayer(Nombre& n, const char* p, const char* const fin, Chiffres& chiffres)
{
    switch (n.etape) {
    case Nombre::signe:
        if (p == fin)
            return p;
        p = prendreSigne(p, n.negatif);
        n.etape = Nombre::entiers;
        [[fallthrough]];
    case Nombre::entiers:
        p = balayerMantisse(n, p, fin, chiffres, false);
        if (p == fin)
            return p;
        if (*p != '.')
            break;
        ++p;
        n.etape = Nombre::decimales;
        [[fallthrough]];
    case Nombre::decimales:
        p = balayerMantisse(n, p, fin, chiffres, true);
        if (p == fin)
            return p;
        break;
    case Nombre::signeExposant:
    case Nombre::exposant:
        return balayerExposant(n, p, fin, chiffres);
    case Nombre::fini:
        return p;
    }
    // The mantissa ends before *p; an exponent may follow a digit only.
    if ((*p != 'e' && *p != 'E') || !n.chiffreDeMantisse) {
        n.etape = Nombre::fini;
        return p;
    }
    n.avecExposant = true;
    n.etape = Nombre::signeExposant;
    return balayerExposant(n, p + 1, fin, chiffres);
}

// Conversions.

// Whether arithmetic rounds to nearest, as it does unless the program set
// another rounding mode (fesetround): fast_float's own test, through a
// volatile so that it is made when the program runs. fast_float also
// refuses its exact case wherever FLT_EVAL_METHOD is neither 0 nor 1 (x87,
// on i386), whose intermediate results are wider than their type; this
// copy does not: a quotient of two floats rounded first to the x87's 64
// bits, then to the float's 24, is the correctly rounded float, as any
// double rounding through at least 2 * 24 + 2 bits is (Figueroa, 1995).
bool arrondiAuPlusProche()
{
    static volatile float plusPetit = std::numeric_limits<float>::min();
    const float f = plusPetit;
    return f + 1.0F == 1.0F - f;
}

// Short marks such as "70.5" are most of what is read: at most 7 digits and
// no exponent. The digits and the power of ten are then exact floats, and
// one division rounds correctly, to nearest when arithmetic does: the exact
// case that fast_float tries first, taken here without reading the text
// again. Under another rounding mode fast_float's own way gives the nearest
// float, as every other read does.
bool convertirCourt(const Nombre& n, const ChiffresEnPlace& chiffres, float& valeur)
{
    static constexpr float puissancesDeDix[] = {1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F, 1e6F, 1e7F};
    if (!estValide(n) || n.avecExposant || chiffres.compte > 7 || !arrondiAuPlusProche())
        return false;
    const float absolue = static_cast<float>(chiffres.valeur) / puissancesDeDix[chiffres.apresLePoint];
    valeur = n.negatif ? -absolue : absolue;
    return true;
}

// The copy as a text of bounded length with the same value.
const char* recomposer(const ChiffresCopies& copie, const Nombre& n, char* texte, char* limite)
{
    char* bout = texte;
    if (n.negatif)
        *bout++ = '-';
    if (copie.compte == 0) {
        *bout++ = '0';
        return bout;
    }
    bout = std::copy(copie.gardes, copie.gardes + copie.compte, bout);
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
// the nearest float. The scanner has accepted [debut, fin) as a number, so
// fast_float reads it whole (checked in debug builds), to the nearest float
// whatever the rounding mode; a value out of range comes back infinite.
bool convertir(const Nombre& n, const char* debut, const char* fin, float& valeur)
{
    if (!estValide(n)) {
        valeur = 0;
        return false;
    }
    if (*debut == '+')
        ++debut;  // fast_float takes no plus sign
    [[maybe_unused]] const auto lu = fast_float::from_chars(debut, fin, valeur);
    assert(lu.ptr == fin);
    if (valeur == std::numeric_limits<float>::infinity() || valeur == -std::numeric_limits<float>::infinity()) {
        valeur = n.negatif ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
        return false;
    }
    return true;
}

// The general way: any stream, and a number that may run past refills of
// its buffer, copied as it goes. Kept out of the usual way's function: in
// it, a student cost 215 instructions more (1,760 against 1,545,
// bench/README.md).
bool lireNombreMorcele(std::istream& flux, float& valeur)
{
    if (!preparerLecture(flux))
        return false;
    Nombre nombre;
    ChiffresCopies copie;
    const bool finDeFichier = parcourir(
        *flux.rdbuf(), [&](const char* morceau, const char* bout) { return balayer(nombre, morceau, bout, copie); });
    char texte[chiffresGardes + 32];
    const char* const texteFin = recomposer(copie, nombre, texte, std::end(texte));
    return terminer(flux, finDeFichier, convertir(nombre, texte, texteFin, valeur));
}

// The one place the module catches an exception. A stream buffer read
// directly, as the general way reads it, may throw: libstdc++'s file buffer
// throws from underflow on a read error. The standard's own extractors make
// that the stream's badbit, and rethrow it only to a caller who asked for
// exceptions on badbit; so does every read here.
template <class Lire>
bool sansException(std::istream& flux, Lire lire)
{
    try {
        return lire();
    } catch (...) {
        const std::ios::iostate masque = flux.exceptions();
        flux.exceptions(std::ios::goodbit);
        flux.setstate(std::ios::badbit);
        if ((masque & std::ios::badbit) == 0) {
            flux.exceptions(masque);
            return false;
        }
        try {
            flux.exceptions(masque);
        } catch (const std::ios::failure&) {  // the stream's own word for it: the buffer's is given instead
        }
        throw;
    }
}

// Whether the field just read ends where its field ends: at the end of the
// file, or before a separator.
bool finDeChamp(std::istream& flux)
{
    if (flux.eof())
        return true;
    const int suivant = flux.rdbuf()->sgetc();
    return suivant != std::streambuf::traits_type::eof() &&
           estSeparateur(std::streambuf::traits_type::to_char_type(suivant));
}

// The general ways for a word (any stream, any length or width) and for a
// float, each kept out of the usual way's function as above; and the read
// errors of a stream buffer, which only these meet.
[[gnu::noinline]] bool lireMotMorcele(std::istream& flux, std::string& valeur)
{
    return sansException(flux, [&] {
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
    });
}

[[gnu::noinline]] bool lireReelMorcele(std::istream& flux, float& valeur, bool complet)
{
    return sansException(flux, [&] {
        if (!lireNombreMorcele(flux, valeur))
            return false;
        return !complet || finDeChamp(flux) || terminer(flux, false, false);
    });
}

// A float, by the usual way when it lies whole in the buffer, then the
// general one; `complet`: it must also end where its field ends, or the read
// fails.
template <bool complet>
bool lireReel(std::istream& flux, float& valeur)
{
    const char* debut = nullptr;
    const char* fin = nullptr;
    if (zoneTamponnee(flux, debut, fin)) {
        Nombre nombre;
        ChiffresEnPlace chiffres;
        const char* const nombreDebut = sauterSeparateurs(debut, fin);
        const char* const arret = balayer(nombre, nombreDebut, fin, chiffres);
        if (arret != fin) {  // the character after the number is in the buffer
            AccesTampon::avancer(*flux.rdbuf(), static_cast<int>(arret - debut));
            if (complet && !estSeparateur(*arret))
                return terminer(flux, false, false);
            if (convertirCourt(nombre, chiffres, valeur))
                return true;
            return terminer(flux, false, convertir(nombre, nombreDebut, arret, valeur));
        }
    }
    return lireReelMorcele(flux, valeur, complet);
}

}  // namespace

bool lireChamp(std::istream& flux, int& valeur)
{
    flux >> valeur;
    return !flux.fail();
}

bool lireChamp(std::istream& flux, float& valeur)
{
    return lireReel<false>(flux, valeur);
}

bool lireChampComplet(std::istream& flux, float& valeur)
{
    return lireReel<true>(flux, valeur);
}

bool lireChamp(std::istream& flux, char& valeur)
{
    valeur = std::istream::traits_type::to_char_type(flux.get());
    return !flux.fail();
}

bool lireChamp(std::istream& flux, std::string& valeur)
{
    const char* debut = nullptr;
    const char* fin = nullptr;
    if (flux.width() <= 0 && zoneTamponnee(flux, debut, fin)) {
        const char* const mot = sauterSeparateurs(debut, fin);
        const char* const arret = finDuMot(mot, fin);
        if (arret != fin) {  // then the word is not empty: it starts at a non-separator
            valeur.assign(mot, static_cast<std::size_t>(arret - mot));
            AccesTampon::avancer(*flux.rdbuf(), static_cast<int>(arret - debut));
            flux.width(0);
            return true;
        }
    }
    return lireMotMorcele(flux, valeur);
}
