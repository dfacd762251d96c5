#include "rapport.h"
#include "tools/tools.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <iterator>
#include <limits>
#include <string>

namespace {

const char* const filet = "___________________________________";
const std::string erreurFichier = std::string("il y a une erreure dans le fichier \"") + fichierDesResultats + "\"\n";

// The layout's widths, in columns. The heading's "nom" column is narrower
// than the rows' last-name column: the average's 4 columns and "%" make up
// the difference, so that "%" falls under the last letter of "note".
constexpr int largeurNom = 15;  // a first name's, and a last name's in a row
constexpr int largeurNomEntete = 10;
constexpr int largeurNoteEntete = 10;
constexpr int largeurFilet = 40;
constexpr int largeurEtiquetteMoyenne = 30;
constexpr int largeurMoyenne = 4;

// Also sets the fixed notation with no decimals that every number printed
// afterwards keeps, the class average included.
void imprimerEntete(std::ostream& sortie)
{
    sortie << std::fixed << std::setprecision(0);
    sortie << std::left << std::setw(largeurNom) << "prenom" << std::setw(largeurNomEntete) << "nom" << std::right
           << std::setw(largeurNoteEntete) << "note" << '\n';
    sortie << std::left << std::setw(largeurFilet) << filet << '\n';
}

// Each step of the arithmetic rounded to its type, as it is written and as
// SSE computes it: the x87 unit (i386) keeps intermediate results in 80 bits
// and rounds them only when they are stored.
template <class T>
T arrondi(T valeur)
{
#if FLT_EVAL_METHOD != 0
    volatile T stocke = valeur;
    return stocke;
#else
    return valeur;
#endif
}

// The student's average, or false when one of the five marks is faulty.
bool lireMoyenne(std::istream& entree, float& moyenneEtudiant)
{
    moyenneEtudiant = 0;
    for (int rang = 0; rang < 5; ++rang) {
        float note = 0;
        if (!lireChampComplet(entree, note))  // "12,5" or "80%" is not a mark
            return false;
        moyenneEtudiant = arrondi<float>(moyenneEtudiant + note);
    }
    moyenneEtudiant = arrondi<float>(static_cast<float>(arrondi(moyenneEtudiant / 5.0)));
    return true;
}

// As the stream prints a float in fixed notation with no decimals: the
// nearest whole number, halves to even, and "-0" for a small negative.
// Rounding in double is exact below 2^53; beyond, to_chars says it all.
const char* formaterMoyenne(float moyenne, char* debut, char* fin)
{
    const double valeur = moyenne;
    if (!(std::fabs(valeur) < 0x1p53))
        return std::to_chars(debut, fin, valeur, std::chars_format::fixed, 0).ptr;
    const double arrondi = std::nearbyint(valeur);
    if (arrondi == 0 && std::signbit(arrondi))
        *debut++ = '-';
    return std::to_chars(debut, fin, static_cast<std::int64_t>(arrondi)).ptr;
}

// Rows are the bulk of the output: they are composed in a batch, written
// a few tens of kilobytes at a time and before anything else is printed.
constexpr std::size_t lotMax = 1 << 16;

void ecrireLot(std::ostream& sortie, std::string& lot)
{
    ecrireTexte(sortie, lot);  // names shown as written, on a Windows console too
    lot.clear();
}

// A name and the spaces that bring it to 15 columns on screen: its bytes
// as they are, padded by the columns it takes (an accent takes a byte more
// than its column in UTF-8).
std::size_t placeDuNom(const std::string& nom)
{
    const auto colonnes = static_cast<std::size_t>(largeurNom);
    return nom.size() + (colonnes - std::min(largeurAffichee(nom), colonnes));
}

// First name and last name left-aligned in 15 columns, the average
// right-aligned in 4, then "%" and the flag: laid out in place over a run of
// spaces.
void ajouterLigne(std::string& lot, const std::string& prenom, const std::string& nom, float moyenne)
{
    char nombre[64];
    const auto tailleNombre = static_cast<std::size_t>(formaterMoyenne(moyenne, nombre, std::end(nombre)) - nombre);
    const std::size_t colonneNom = placeDuNom(prenom);
    const std::size_t colonneNombre = colonneNom + placeDuNom(nom);
    const std::size_t colonnePourcent = colonneNombre + std::max<std::size_t>(tailleNombre, largeurMoyenne);
    const std::size_t debut = lot.size();
    lot.resize(debut + colonnePourcent + 5, ' ');
    char* const ligne = &lot[debut];
    std::copy(prenom.begin(), prenom.end(), ligne);
    std::copy(nom.begin(), nom.end(), ligne + colonneNom);
    std::copy(nombre, nombre + tailleNombre, ligne + colonnePourcent - tailleNombre);
    std::copy_n(moyenne < 60.0 ? "% EC\n" : "%   \n", 5, ligne + colonnePourcent);
}

// The class average is printed by the stream, in the fixed notation with no
// decimals that the heading set.
void imprimerFin(std::ostream& sortie, float moyenneClasse)
{
    sortie << std::left << std::setw(largeurFilet) << filet << std::endl;
    sortie << std::right << std::setw(largeurEtiquetteMoyenne) << "moyenne" << std::setw(largeurMoyenne)
           << moyenneClasse << "%\n";
    sortie << "\n______  _______________________________\n      |/\n";
    sortie << " (\\_/)\n( . .)\nc(\")(\")\n";
    sortie << "Fin du programme\n";
}

// The end of a report that cannot be finished: the rows composed so far,
// then why, in place of the class average.
bool arreter(std::ostream& sortie, std::string& lot, const std::istream& entree)
{
    ecrireLot(sortie, lot);
    if (!signalerLectureImpossible(entree, fichierDesResultats))
        sortie << erreurFichier;
    return false;
}

}  // namespace

bool imprimerRapport(std::istream& entree, std::ostream& sortie)
{
    std::string lot;
    // The header line is never shown: skip it whole without keeping it.
    entree.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    if (entree.bad())
        return arreter(sortie, lot, entree);
    imprimerEntete(sortie);

    std::string prenom;
    std::string nom;
    if (!lireChamp(entree, prenom) || !lireChamp(entree, nom))
        return arreter(sortie, lot, entree);
    // Double precision and 64 bits so that a large class still averages right.
    double totalClasse = 0;
    std::int64_t nbEtudiants = 0;
    lot.reserve(lotMax + 256);
    while (!entree.fail()) {
        float moyenneEtudiant = 0;
        if (!lireMoyenne(entree, moyenneEtudiant))
            return arreter(sortie, lot, entree);
        totalClasse = arrondi(totalClasse + moyenneEtudiant);
        ++nbEtudiants;
        ajouterLigne(lot, prenom, nom, moyenneEtudiant);
        if (lot.size() >= lotMax)
            ecrireLot(sortie, lot);
        lireChamp(entree, prenom);
        lireChamp(entree, nom);
    }
    if (entree.bad())  // the file ended with a read error, not at its end
        return arreter(sortie, lot, entree);
    ecrireLot(sortie, lot);
    imprimerFin(sortie, moyenneDeClasse(totalClasse, nbEtudiants));
    return true;
}

float moyenneDeClasse(double totalClasse, std::int64_t nbEtudiants)
{
    return arrondi(static_cast<float>(arrondi(totalClasse / static_cast<double>(nbEtudiants))));
}
