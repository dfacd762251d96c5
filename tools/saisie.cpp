#include "tools/tools.h"

#include <cstdlib>
#include <iostream>

namespace {

// Nothing is left to read, so no answer can come and none is made up.
[[noreturn]] void arreterFauteDeSaisie()
{
    std::cout << "fin des saisies, arret du programme\n";
    std::exit(1);
}

// Questions go out through the module's writer: written in UTF-8, they show
// as written at a Windows console too.
void poser(const std::string& invite)
{
    ecrireTexte(std::cout, invite);
    std::cout << std::endl;
}

// Upper case as in the classic locale: only a to z change.
char majuscule(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lireUnCaractere()
{
    char lu = 0;
    if (!lireChamp(std::cin, lu))  // a raw read fails only at end of input
        arreterFauteDeSaisie();
    return lu;
}

template <class Nombre>
Nombre lireNombre(const std::string& invite)
{
    Nombre n{};
    for (;;) {
        viderTampon();
        poser(invite);
        if (lireChamp(std::cin, n))
            return n;
        if (std::cin.eof())
            arreterFauteDeSaisie();
    }
}

}  // namespace

bool lireOuiNon(std::string question)
{
    viderTampon();
    for (;;) {
        poser(question);
        const char reponse = majuscule(lireUnCaractere());
        if (reponse == 'O' || reponse == 'N')
            return reponse == 'O';
    }
}

int lireEntier(std::string invite)
{
    return lireNombre<int>(invite);
}

float lireReel(std::string invite)
{
    return lireNombre<float>(invite);
}

int lireEntierPositif(std::string invite)
{
    int n = lireEntier(invite);
    while (n <= 0)
        n = lireEntier(invite);
    return n;
}

float lireReelPositif(std::string invite)
{
    float valeur = lireReel(invite);
    while (valeur <= 0) {
        std::cout << " vous devez entrer une valeur positive et non nulle ";
        valeur = lireReel(invite);
    }
    return valeur;
}

std::string lireLigne(std::string invite)
{
    std::string saisie;
    viderTampon();
    while (saisie.empty()) {
        std::cout << '\n';
        ecrireTexte(std::cout, invite);
        std::cout << '\n';
        if (!std::getline(std::cin, saisie))
            arreterFauteDeSaisie();
    }
    return saisie;
}

char lireCaractere(std::string invite)
{
    viderTampon();
    poser(invite);
    return lireUnCaractere();
}

char lireCaractereParmi(std::string invite, std::string permis)
{
    char c = lireCaractere(invite);
    while (!estParmi(c, permis))
        c = lireCaractere(invite);
    return c;
}

bool estParmi(char caractere, std::string ensemble)
{
    for (const char permis : ensemble)
        if (majuscule(caractere) == majuscule(permis))
            return true;
    return false;
}
