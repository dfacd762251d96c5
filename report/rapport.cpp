#include "rapport.h"
#include "tools/tools.h"

#include <cctype>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <string>

namespace {

const char* const filet = "___________________________________";
const char* const erreurFichier = "il y a une erreure dans le fichier \"etudiant.txt\"\n";

void imprimerEntete(std::ostream& sortie)
{
    sortie << std::fixed << std::setprecision(0);
    sortie << std::left << std::setw(15) << "prenom" << std::setw(10) << "nom"
           << std::right << std::setw(10) << "note" << '\n';
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

void imprimerLigne(std::ostream& sortie, const std::string& prenom, const std::string& nom, float moyenne)
{
    sortie << std::left << std::setw(15) << prenom << std::setw(15) << nom
           << std::right << std::setw(4) << moyenne << '%' << (moyenne < 60.0 ? " EC" : "   ") << '\n';
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
    while (!entree.fail()) {
        float moyenneEtudiant = 0;
        if (!lireMoyenne(entree, moyenneEtudiant)) {
            sortie << erreurFichier;
            return false;
        }
        totalClasse += moyenneEtudiant;
        ++nbEtudiants;
        imprimerLigne(sortie, prenom, nom, moyenneEtudiant);
        lireChamp(entree, prenom);
        lireChamp(entree, nom);
    }
    imprimerFin(sortie, static_cast<float>(totalClasse / static_cast<double>(nbEtudiants)));
    return true;
}
