// Opening a text file, and telling the user in one line why it cannot be
// read: the messages and what each means are tools.h's.
#include "plateforme.h"
#include "tools/tools.h"

#include <filesystem>
#include <iostream>

namespace {

enum class Etat : unsigned char { lisible, absent, occupe, illisible, vide };

void dire(const std::string& nom, Etat etat)
{
    const char* const raison = etat == Etat::absent   ? "est absent"
                               : etat == Etat::occupe ? "est ouvert dans un autre programme"
                               : etat == Etat::vide   ? "est vide"
                                                      : "ne peut pas etre lu";
    // Through the module's writer: a name with accents shows as written at a
    // Windows console too.
    ecrireTexte(std::cout, "le fichier \"" + nom + "\" " + raison + "\n");
}

// A directory is as absent as a missing file: it opens as a stream on some
// systems, but cannot be read (libstdc++ says so with a read error, libc++
// reads nothing).
bool estRepertoire(const std::string& nom)
{
    std::error_code erreur;
    return std::filesystem::is_directory(nom, erreur);
}

// What the failure of the call just made on `nom` means to the user.
Etat diagnostiquer(const std::string& nom)
{
    const Echec echec = echecDuSysteme();  // first: what follows may change it
    if (echec == Echec::absent || estRepertoire(nom))
        return Etat::absent;
    return echec == Echec::occupe ? Etat::occupe : Etat::illisible;
}

Etat ouvrir(std::ifstream& flux, const std::string& nom)
{
    if (flux.is_open())
        return Etat::absent;  // an open stream cannot open again, as for any file it cannot open
    for (;;) {
        effacerEchec();
        flux.open(nom, std::ios::in);
        if (!flux.fail())
            return Etat::lisible;
        if (echecDuSysteme() != Echec::interrompu)
            return diagnostiquer(nom);
        flux.clear();
    }
}

}  // namespace

bool ouvrirFichier(std::ifstream& flux, std::string nom)
{
    Etat etat = ouvrir(flux, nom);
    if (etat == Etat::lisible) {
        effacerEchec();
        if (fichierVide(flux))  // the first read: a file that cannot be read is not empty
            etat = flux.bad() ? diagnostiquer(nom) : estRepertoire(nom) ? Etat::absent : Etat::vide;
    }
    if (etat == Etat::lisible)
        return true;
    dire(nom, etat);
    return false;
}

bool signalerLectureImpossible(const std::istream& flux, std::string nom)
{
    if (!flux.bad())
        return false;
    dire(nom, diagnostiquer(nom));
    return true;
}

bool fichierVide(std::istream& flux)
{
    return flux.peek() == std::istream::traits_type::eof();
}
