// Text shown at a Windows console, as tools.h says of ecrireTexte: a
// console shows bytes in its own code page (437 or 850 on a French PC), so
// text reaches it as UTF-16 instead.
#include "caracteres.h"
#include "console_unicode.h"
#include "plateforme.h"
#include "tools/tools.h"
#include "utf8.h"

#include <iostream>

bool ecrireEnUtf16(std::string_view texte, AnsiVersUtf16 ansi, const EcrireUtf16& ecrire)
{
    std::u16string morceau;
    morceau.reserve(unitesParEcriture);
    // Hands on what is gathered when `unites` more would not fit.
    const auto faireDeLaPlace = [&](std::size_t unites) {
        if (morceau.size() + unites <= unitesParEcriture)
            return true;
        const bool pris = ecrire(morceau);
        morceau.clear();
        return pris;
    };
    while (!texte.empty()) {
        const bool separateurs = estSeparateur(texte.front());
        std::size_t longueur = 1;
        while (longueur < texte.size() && estSeparateur(texte[longueur]) == separateurs)
            ++longueur;
        std::string_view mot = texte.substr(0, longueur);
        texte.remove_prefix(longueur);
        if (separateurs || estUtf8(mot)) {
            bool pris = true;
            decoderChaqueCaractere(mot, [&](char32_t point) {
                pris = pris && faireDeLaPlace(unitesUtf16(point));
                if (pris) {
                    char16_t unites[2];
                    morceau.append(unites, encoderUtf16(point, unites));
                }
            });
            if (!pris)
                return false;
            continue;
        }
        // A code page gives at most one unit a byte.
        for (; !mot.empty(); mot.remove_prefix(std::min(mot.size(), unitesParEcriture))) {
            const std::string_view piece = mot.substr(0, unitesParEcriture);
            if (!faireDeLaPlace(piece.size()))
                return false;
            ansi(piece, morceau);
        }
    }
    return morceau.empty() || ecrire(morceau);
}

void ecrireTexte(std::ostream& sortie, std::string_view texte)
{
    if (&sortie == &std::cout && sortieConsole()) {
        sortie.flush();  // what was printed before comes first
        if (!ecrireEnUtf16(texte, ansiVersUtf16, ecrireConsole))
            sortie.setstate(std::ios::badbit);  // as a failed write to the stream says
        return;
    }
    sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
}
