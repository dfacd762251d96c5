// Asks one question with the prompt named on the command line and prints
// the answer between brackets, as the module shows text:
// saisir [--sans-synchro] [--sans-lien] [--octets] FONCTION INVITE [PERMIS]
// (--sans-synchro: as a program that turned off sync_with_stdio, whose
// std::cin then buffers input of its own; --sans-lien: as one that unties
// std::cin from std::cout; --octets: the answer's bytes follow in
// hexadecimal).
#include "octets.h"
#include "tools/tools.h"

#include <functional>
#include <iostream>
#include <map>
#include <sstream>

int main(int argc, char** argv)
{
    const auto option = [&](const char* nom) {
        const bool donnee = argc > 1 && std::string(argv[1]) == nom;
        argc -= donnee ? 1 : 0;
        argv += donnee ? 1 : 0;
        return donnee;
    };
    if (option("--sans-synchro"))
        std::ios::sync_with_stdio(false);
    if (option("--sans-lien"))
        std::cin.tie(nullptr);
    const bool avecOctets = option("--octets");
    if (argc < 3)
        return 2;
    const std::string invite = argv[2];
    const std::string permis = argc > 3 ? argv[3] : "";
    std::ostringstream reponse;
    const std::map<std::string, std::function<void()>> fonctions = {
        {"lireOuiNon", [&] { reponse << std::boolalpha << lireOuiNon(invite); }},
        {"lireEntier", [&] { reponse << lireEntier(invite); }},
        {"lireReel", [&] { reponse << lireReel(invite); }},
        {"lireEntierPositif", [&] { reponse << lireEntierPositif(invite); }},
        {"lireReelPositif", [&] { reponse << lireReelPositif(invite); }},
        {"lireLigne", [&] { reponse << lireLigne(invite); }},
        {"lireCaractere", [&] { reponse << lireCaractere(invite); }},
        {"lireCaractereParmi", [&] { reponse << lireCaractereParmi(invite, permis); }},
    };
    const auto fonction = fonctions.find(argv[1]);
    if (fonction == fonctions.end())
        return 2;
    fonction->second();
    ecrireTexte(std::cout, '[' + reponse.str() + ']' + (avecOctets ? octets(reponse.str()) : "") + '\n');
    return 0;
}
