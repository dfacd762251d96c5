#include "forme.h"
#include "tools/tools.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace {

const std::string filet = "___________________________________     ";
const std::string entete = "prenom         nom             note";
const std::string erreur = "il y a une erreure dans le fichier \"etudiant.txt\"";
const std::vector<std::string> banniere = {
    "", "______  _______________________________", "      |/", " (\\_/)", "( . .)", "c(\")(\")", "Fin du programme"};

bool estBlanc(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool queDesEspaces(const std::string& texte, std::size_t debut, std::size_t fin)
{
    for (std::size_t i = debut; i < fin; ++i)
        if (texte[i] != ' ')
            return false;
    return true;
}

// A whole number right-aligned in at least 4 columns, as fixed notation
// with no decimals prints it.
bool estNombreAligne(const std::string& champ)
{
    std::size_t debut = champ.find_first_not_of(' ');
    if (debut == std::string::npos || (champ.size() > 4 && debut > 0))
        return false;
    if (champ.size() < 4)
        return false;
    if (champ[debut] == '-')
        ++debut;
    if (debut == champ.size() || (champ[debut] == '0' && debut + 1 < champ.size()))
        return false;
    for (std::size_t i = debut; i < champ.size(); ++i)
        if (champ[i] < '0' || champ[i] > '9')
            return false;
    return true;
}

// The flag is decided before rounding: only a printed 60 may go either way.
bool drapeauCoherent(const std::string& champ, bool echec)
{
    const std::string nombre = champ.substr(champ.find_first_not_of(' '));
    if (nombre[0] == '-' || nombre.size() < 2)
        return echec;
    if (nombre.size() > 2)
        return !echec;
    return nombre == "60" || (nombre < "60") == echec;
}

// A name: one or more characters, none of them whitespace, then spaces up to
// 15 columns on screen. A name of valid UTF-8 counts its characters'
// columns, any other one column a byte.
template <class Suite>
bool nomPuis(const std::string& ligne, std::size_t debut, std::size_t fin, Suite suite)
{
    // Followed as the name grows: valid UTF-8 up to finValide, worth
    // colonnesValides; 4 bytes past it that make no character end it.
    std::size_t finValide = debut;
    std::size_t colonnesValides = 0;
    bool utf8 = true;
    for (std::size_t bout = debut + 1; bout <= fin && !estBlanc(ligne[bout - 1]); ++bout) {
        const std::string_view enCours = std::string_view(ligne).substr(finValide, bout - finValide);
        if (utf8 && estUtf8(enCours)) {
            colonnesValides += largeurAffichee(enCours);
            finValide = bout;
        }
        utf8 = utf8 && bout - finValide < 4;
        const std::size_t colonnes = utf8 && finValide == bout ? colonnesValides : bout - debut;
        const std::size_t apres = bout + (15 - std::min<std::size_t>(colonnes, 15));
        if (apres <= fin && queDesEspaces(ligne, bout, apres) && suite(apres))
            return true;
    }
    return false;
}

// First name in 15, last name in 15, average in 4, "%", then " EC" or 3 spaces.
bool estLigneEtudiant(const std::string& ligne)
{
    if (ligne.size() < 15 + 15 + 4 + 4)
        return false;
    const std::size_t pourcent = ligne.size() - 4;
    const std::string drapeau = ligne.substr(pourcent + 1);
    if (ligne[pourcent] != '%' || (drapeau != " EC" && drapeau != "   "))
        return false;
    return nomPuis(ligne, 0, pourcent, [&](std::size_t apresPrenom) {
        return nomPuis(ligne, apresPrenom, pourcent, [&](std::size_t apresNom) {
            const std::string nombre = ligne.substr(apresNom, pourcent - apresNom);
            return estNombreAligne(nombre) && drapeauCoherent(nombre, drapeau == " EC");
        });
    });
}

bool estLigneMoyenne(const std::string& ligne)
{
    const std::string debut = std::string(23, ' ') + "moyenne";
    return ligne.size() > debut.size() + 1 && ligne.compare(0, debut.size(), debut) == 0 && ligne.back() == '%' &&
           estNombreAligne(ligne.substr(debut.size(), ligne.size() - debut.size() - 1));
}

}  // namespace

std::string defautDeForme(const std::string& sortie, bool reussi)
{
    if (sortie.empty() || sortie.back() != '\n')
        return "output does not end with a newline";
    std::vector<std::string> lignes;
    for (std::size_t debut = 0; debut < sortie.size();) {
        const std::size_t fin = sortie.find('\n', debut);
        lignes.push_back(sortie.substr(debut, fin - debut));
        debut = fin + 1;
    }
    if (lignes.size() < 3 || lignes[0] != entete || lignes[1] != filet)
        return "heading and rule expected";
    std::size_t n = 2;
    while (n < lignes.size() && estLigneEtudiant(lignes[n]))
        ++n;
    if (n == lignes.size())
        return "the report stops after a row";
    if (lignes[n] == erreur)
        return n + 1 == lignes.size() && !reussi ? "" : "the error message must end a failed report";
    const std::size_t lignesDeFin = 2 + banniere.size();
    if (n == 2 || lignes.size() - n != lignesDeFin || lignes[n] != filet || !estLigneMoyenne(lignes[n + 1]))
        return "line " + std::to_string(n + 1) + " is neither a row, nor the error message, nor the closing rule";
    for (std::size_t i = 0; i < banniere.size(); ++i)
        if (lignes[n + 2 + i] != banniere[i])
            return "banner line " + std::to_string(i + 1) + " differs";
    return reussi ? "" : "a failed report must end with the error message";
}
