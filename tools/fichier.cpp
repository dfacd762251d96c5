#include "tools/tools.h"

#include <filesystem>
#include <iostream>

namespace {

bool estRepertoire(const std::string& nom)
{
    std::error_code erreur;
    return std::filesystem::is_directory(nom, erreur);
}

}  // namespace

bool ouvrirFichier(std::ifstream& flux, std::string nom)
{
    // A directory opens as a stream on this platform but cannot be read:
    // it is as absent as a missing file.
    bool ouvert = !estRepertoire(nom);
    if (ouvert) {
        flux.open(nom, std::ios::in);
        ouvert = !flux.fail();
    }
    if (!ouvert) {
        std::cout << "le fichier \"" << nom << "\" est absent\n";
        return false;
    }
    if (fichierVide(flux)) {
        std::cout << "le fichier \"" << nom << "\" est vide\n";
        return false;
    }
    return true;
}

bool fichierVide(std::istream& flux)
{
    return flux.peek() == std::istream::traits_type::eof();
}
