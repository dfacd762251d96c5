// A few questions asked with the keyboard prompts, then what was answered.
#include "tools/tools.h"

#include <iostream>
#include <string>

int main()
{
    const std::string nom = lireLigne("Votre nom ?");
    const int eleves = lireEntierPositif("Combien d'eleves ?");
    const float seuil = lireReelPositif("Note de passage ?");
    const char groupe = lireCaractereParmi("Groupe (a, b ou c) ?", "abc");
    const bool confirme = lireOuiNon("Confirmer (O/N) ?");
    std::cout << nom << ", " << eleves << " eleves, seuil " << seuil << ", groupe " << groupe
              << (confirme ? ", confirme" : ", non confirme") << '\n';
    return 0;
}
