// The window a field is read through: the characters a stream buffer already
// holds, taken where they lie, and the stream's own rules around a formatted
// read (the sentry's work before it, the state bits after it).
//
// Read top to bottom: reaching the get area; handing its characters on a run
// at a time, across refills; the sentry's work; the usual case, where the
// whole field lies in the buffer; the end state. The field's own grammar is
// the reader's (champ.cpp). All inline: millions of fields go through these.
#ifndef TOOLS_FENETRE_TAMPON_H
#define TOOLS_FENETRE_TAMPON_H

#include "caracteres.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <istream>
#include <streambuf>

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
inline const char* borner(const char* debut, const char* fin, std::size_t place = SIZE_MAX)
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
    using Traits = std::streambuf::traits_type;
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

// What the stream's own sentry does before a formatted read: refuse a stream
// in error, flush the tied output, skip leading separators.
inline bool preparerLecture(std::istream& flux)
{
    if (!flux.good()) {
        flux.setstate(std::ios::failbit);
        return false;
    }
    if (flux.tie())
        flux.tie()->flush();
    if ((flux.flags() & std::ios::skipws) != 0 && parcourir(*flux.rdbuf(), sauterSeparateurs)) {
        flux.setstate(std::ios::eofbit | std::ios::failbit);
        return false;
    }
    return true;
}

// The usual case, read with the buffer's pointers alone: a stream in good
// order, tied to nothing, skipping separators, with characters in its
// buffer. Gives them, or false where the general way must be taken. The
// sentry's work is then only to skip separators, which the reader does.
inline bool zoneTamponnee(std::istream& flux, const char*& debut, const char*& fin)
{
    if (flux.rdstate() != std::ios::goodbit || flux.tie() || (flux.flags() & std::ios::skipws) == 0)
        return false;
    debut = AccesTampon::courant(*flux.rdbuf());
    fin = borner(debut, AccesTampon::fin(*flux.rdbuf()));
    return debut != fin;
}

// The state a read leaves: eofbit when it met the end of the file, failbit
// when it failed. Returns whether it succeeded.
inline bool terminer(std::istream& flux, bool finDeFichier, bool reussi)
{
    if (finDeFichier || !reussi)  // setstate is out of line, and most reads end well
        flux.setstate((finDeFichier ? std::ios::eofbit : std::ios::goodbit) |
                      (reussi ? std::ios::goodbit : std::ios::failbit));
    return reussi;
}

#endif
