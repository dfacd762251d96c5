// Nothing of the module before its first read: one word read with `>>`,
// the next with lireChamp, both shown back through ecrireTexte, then their
// bytes.
#include "octets.h"

#include <tools/tools.h>

#include <iostream>
#include <string>

int main()
{
    std::cout << "Deux mots ?" << std::endl;
    std::string premier;
    std::string second;
    if (!(std::cin >> premier) || !lireChamp(std::cin, second))
        return 1;
    ecrireTexte(std::cout, '[' + premier + "] [" + second + ']' + octets(premier + ' ' + second) + '\n');
    return 0;
}
