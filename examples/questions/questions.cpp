// A few questions asked with the keyboard prompts, then what was answered.
// Text goes out through the module's writer (ecrireTexte): the questions are
// written in UTF-8 and the answers arrive in UTF-8, and both show as written
// at a Windows console as in a Linux terminal.
#include <tools/tools.h>

#include <iostream>
#include <sstream>
#include <string>

int main()
{
    const std::string nom = lireLigne("Votre nom ?");
    const int eleves = lireEntierPositif("Combien d'élèves ?");
    const float seuil = lireReelPositif("Note de passage ?");
    const char groupe = lireCaractereParmi("Groupe (a, b ou c) ?", "abc");
    const bool confirme = lireOuiNon("Confirmer (O/N) ?");
    std::ostringstream bilan;
    bilan << nom << ", " << eleves << " élèves, seuil " << seuil << ", groupe " << groupe
          << (confirme ? ", confirmé" : ", non confirmé") << '\n';
    ecrireTexte(std::cout, bilan.str());
    return 0;
}
