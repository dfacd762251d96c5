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
    // A report lost on a full disk or a closed console is no success; said
    // before the pause, so that the user sees it while the window is open.
    const bool ecrit = !std::cout.flush().fail();
    if (!ecrit)
        std::cerr << "le rapport n'a pas pu etre ecrit" << std::endl;
    attendreEntree();
    return ecrit ? 0 : 1;
}
