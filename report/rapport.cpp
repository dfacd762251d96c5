#include "rapport.h"
#include "tools/tools.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <iomanip>
#include <iterator>
#include <limits>
#include <string>

namespace {

const char* const filet = "___________________________________";
const char* const erreurFichier = "il y a une erreure dans le fichier \"etudiant.txt\"\n";

void imprimerEntete(std::ostream& sortie)
{
    sortie << std::fixed << std::setprecision(0);
    sortie << std::left << std::setw(15) << "prenom" << std::setw(10) << "nom" << std::right << std::setw(10) << "note"
           << '\n';
    sortie << std::left << std::setw(40) << filet << '\n';
}

// A mark must end where its field ends: "12,5" or "80%" is not a mark.
bool lireNote(std::istream& entree, float& note)
{
    if (!lireChamp(entree, note))
        return false;
    if (entree.eof())
        return true;
    const int suivant = entree.peek();
    return suivant == std::istream::traits_type::eof() || std::isspace(suivant) != 0;
}

// The student's average, or false when one of the five marks is faulty.
bool lireMoyenne(std::istream& entree, float& moyenneEtudiant)
{
    moyenneEtudiant = 0;
    for (int rang = 0; rang < 5; ++rang) {
        float note = 0;
        if (!lireNote(entree, note))
            return false;
        moyenneEtudiant += note;
    }
    moyenneEtudiant = static_cast<float>(moyenneEtudiant / 5.0);
    return true;
}

void ajouterAGauche(std::string& ligne, const std::string& texte, std::size_t largeur)
{
    ligne += texte;
    if (texte.size() < largeur)
        ligne.append(largeur - texte.size(), ' ');
}

// As the stream prints a float in fixed notation with no decimals, in 4 columns.
void ajouterMoyenne(std::string& ligne, float moyenne)
{
    char chiffres[64];
    const double valeur = moyenne;
    const auto fin = std::to_chars(chiffres, std::end(chiffres), valeur, std::chars_format::fixed, 0).ptr;
    const auto taille = static_cast<std::size_t>(fin - chiffres);
    if (taille < 4)
        ligne.append(4 - taille, ' ');
    ligne.append(chiffres, taille);
}

// One row, composed whole then written at once: the rows are the bulk of
// the output.
void imprimerLigne(std::ostream& sortie, std::string& ligne, const std::string& prenom, const std::string& nom,
                   float moyenne)
{
    ligne.clear();
    ajouterAGauche(ligne, prenom, 15);
    ajouterAGauche(ligne, nom, 15);
    ajouterMoyenne(ligne, moyenne);
    ligne += moyenne < 60.0 ? "% EC\n" : "%   \n";
    sortie.write(ligne.data(), static_cast<std::streamsize>(ligne.size()));
}

void imprimerFin(std::ostream& sortie, float moyenneClasse)
{
    sortie << std::left << std::setw(40) << filet << std::endl;
    sortie << std::right << std::setw(30) << "moyenne" << std::setw(4) << moyenneClasse << "%\n";
    sortie << "\n______  _______________________________\n      |/\n";
    sortie << " (\\_/)\n( . .)\nc(\")(\")\n";
    sortie << "Fin du programme\n";
}

}  // namespace

bool imprimerRapport(std::istream& entree, std::ostream& sortie)
{
    // The header line is never shown: skip it whole without keeping it.
    entree.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    imprimerEntete(sortie);

    std::string prenom;
    std::string nom;
    if (!lireChamp(entree, prenom) || !lireChamp(entree, nom)) {
        sortie << erreurFichier;
        return false;
    }
    // Double precision and 64 bits so that a large class still averages right.
    double totalClasse = 0;
    std::int64_t nbEtudiants = 0;
    std::string ligne;
    while (!entree.fail()) {
        float moyenneEtudiant = 0;
        if (!lireMoyenne(entree, moyenneEtudiant)) {
            sortie << erreurFichier;
            return false;
        }
        totalClasse += moyenneEtudiant;
        ++nbEtudiants;
        imprimerLigne(sortie, ligne, prenom, nom, moyenneEtudiant);
        lireChamp(entree, prenom);
        lireChamp(entree, nom);
    }
    imprimerFin(sortie, static_cast<float>(totalClasse / static_cast<double>(nbEtudiants)));
    return true;
}
