#include "tools/tools.h"

#include <iostream>
#include <limits>

int maxIgnore = std::numeric_limits<int>::max();

void effacerEcran()
{
    for (int ligne = 0; ligne < 25; ++ligne)
        std::cout.put('\n');
}

void attendreEntree()
{
    std::cout << "Appuyer sur entrer pour continuer ... ";
    viderTampon();
    std::cin.ignore(maxIgnore, '\n');
}
