#include "rapport.h"
#include "tools/tools.h"

#include <fstream>
#include <iostream>

int main()
{
    std::ifstream entree;
    effacerEcran();
    if (ouvrirFichier(entree, "etudiant.txt")) {
        imprimerRapport(entree, std::cout);
        entree.close();
    }
    attendreEntree();
    return 0;
}
