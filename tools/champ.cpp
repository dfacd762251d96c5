// Reading one field of a text file: a whole number, a decimal number, a raw
// character or a word, with the results of the stream library's own reads.
#include "tools.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <limits>

namespace {

using Traits = std::istream::traits_type;

bool estChiffre(int c)
{
    return c >= '0' && c <= '9';
}

// Collects the characters that formatted extraction of a decimal number takes
// in the classic locale: sign, digits (a run of leading zeros kept as one),
// one decimal point, and an exponent once some digit has been seen.
std::string collecterNombre(std::streambuf& source)
{
    std::string texte;
    int c = source.sgetc();
    const auto avancer = [&] { c = source.snextc(); };
    if (c == '+' || c == '-') {
        texte += static_cast<char>(c);
        avancer();
    }
    bool mantisse = false;
    while (c == '0') {
        if (!mantisse)
            texte += '0';
        mantisse = true;
        avancer();
    }
    bool point = false;
    bool exposant = false;
    while (c != Traits::eof()) {
        if (estChiffre(c)) {
            mantisse = true;
        } else if (c == '.' && !point && !exposant) {
            point = true;
        } else if ((c == 'e' || c == 'E') && !exposant && mantisse) {
            texte += 'e';
            exposant = true;
            avancer();
            if (c != '+' && c != '-')
                continue;
        } else {
            break;
        }
        texte += static_cast<char>(c);
        avancer();
    }
    return texte;
}

// The library's rules: the whole text must be a number; beyond the range of
// float the value is the largest float of that sign and the read fails; a
// value too small to represent is kept as the nearest float.
bool convertirNombre(const std::string& texte, float& valeur)
{
    const char* debut = texte.c_str();
    const char* const fin = debut + texte.size();
    if (debut != fin && *debut == '+')
        ++debut;  // from_chars takes no plus sign
    float lu = 0;
    const auto [arret, erreur] = std::from_chars(debut, fin, lu);
    if (arret != fin || (erreur != std::errc() && erreur != std::errc::result_out_of_range)) {
        valeur = 0;
        return false;
    }
    if (erreur == std::errc::result_out_of_range) {
        static const locale_t classique = newlocale(LC_ALL_MASK, "C", nullptr);
        lu = strtof_l(texte.c_str(), nullptr, classique);
        if (lu == std::numeric_limits<float>::infinity() || lu == -std::numeric_limits<float>::infinity()) {
            valeur = lu > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
            return false;
        }
    }
    valeur = lu;
    return true;
}

bool estBlanc(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What the stream's own sentry does before a formatted read: refuse a stream
// in error, flush the tied output, skip leading whitespace. Done here at a
// fraction of the cost, since the report reads millions of fields.
bool preparerLecture(std::istream& flux)
{
    if (!flux.good()) {
        flux.setstate(std::ios::failbit);
        return false;
    }
    if (flux.tie())
        flux.tie()->flush();
    if (flux.flags() & std::ios::skipws) {
        std::streambuf& source = *flux.rdbuf();
        int c = source.sgetc();
        while (estBlanc(c))
            c = source.snextc();
        if (c == Traits::eof()) {
            flux.setstate(std::ios::eofbit | std::ios::failbit);
            return false;
        }
    }
    return true;
}

}  // namespace

bool lireChamp(std::istream& flux, int& valeur)
{
    flux >> valeur;
    return !flux.fail();
}

// Numbers are read as `flux >> valeur` reads them in the classic locale (the
// only one these programs use), with the same value and stream state, but
// without the library's allocation and locale look-ups for every number:
// reading marks is most of the report's work.
bool lireChamp(std::istream& flux, float& valeur)
{
    if (!preparerLecture(flux))
        return false;
    const std::string texte = collecterNombre(*flux.rdbuf());
    std::ios::iostate etat = std::ios::goodbit;
    if (flux.rdbuf()->sgetc() == Traits::eof())
        etat |= std::ios::eofbit;
    if (!convertirNombre(texte, valeur))
        etat |= std::ios::failbit;
    flux.setstate(etat);
    return !flux.fail();
}

bool lireChamp(std::istream& flux, char& valeur)
{
    valeur = Traits::to_char_type(flux.get());
    return !flux.fail();
}

// As `flux >> valeur`: one word, at most width() characters when set.
bool lireChamp(std::istream& flux, std::string& valeur)
{
    if (!preparerLecture(flux))
        return false;
    std::streambuf& source = *flux.rdbuf();
    const std::streamsize largeur = flux.width();
    const auto limite = largeur > 0 ? static_cast<std::size_t>(largeur) : valeur.max_size();
    valeur.clear();
    int c = source.sgetc();
    while (valeur.size() < limite && c != Traits::eof() && !estBlanc(c)) {
        valeur += static_cast<char>(c);
        c = source.snextc();
    }
    flux.width(0);
    std::ios::iostate etat = c == Traits::eof() ? std::ios::eofbit : std::ios::goodbit;
    if (valeur.empty())
        etat |= std::ios::failbit;
    flux.setstate(etat);
    return !flux.fail();
}
