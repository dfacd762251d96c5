#include "rapport.h"
#include "tools/tools.h"

#include <fstream>
#include <iostream>

int main()
{
    // A larger buffer than the default's 8 KiB: fewer reads of a large file.
    static char tampon[1 << 16];
    std::ifstream entree;
    entree.rdbuf()->pubsetbuf(tampon, sizeof tampon);
    effacerEcran();
    if (ouvrirFichier(entree, "etudiant.txt")) {
        imprimerRapport(entree, std::cout);
        entree.close();
    }
    attendreEntree();
    return 0;
}
