// Reads std::cin its own way, before any prompt of the module and without
// one: the question shown with ecrireTexte, the answer read with
// std::getline. What was typed arrives as UTF-8 all the same, at a Windows
// console too; it is shown back, then its bytes.
#include "octets.h"

#include <tools/tools.h>

#include <iostream>
#include <string>

int main()
{
    ecrireTexte(std::cout, "Votre nom ?\n");
    std::string nom;
    if (!std::getline(std::cin, nom))
        return 1;
    ecrireTexte(std::cout, "Bonjour " + nom + " !" + octets(nom) + "\n");
    return 0;
}
