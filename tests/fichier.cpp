// Opening a text file and reading it field by field.
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Ouverture {
    const char* cas;
    const char* contenu;  // nullptr: no such file; "/": a directory
    bool ouvert;
    const char* message;
};

void PrintTo(const Ouverture& o, std::ostream* os)
{
    *os << o.cas;
}

class OuvrirFichier : public testing::TestWithParam<Ouverture> {};

TEST_P(OuvrirFichier, MessageEtResultat)
{
    const Ouverture& o = GetParam();
    const fs::path chemin = fs::temp_directory_path() / (std::string("ouvrir-") + o.cas);
    fs::remove_all(chemin);
    if (o.contenu && std::string(o.contenu) == "/")
        fs::create_directory(chemin);
    else if (o.contenu)
        std::ofstream(chemin) << o.contenu;

    std::ostringstream ecran;
    auto* console = std::cout.rdbuf(ecran.rdbuf());
    std::ifstream flux;
    const bool ouvert = ouvrirFichier(flux, chemin.string());
    std::cout.rdbuf(console);

    EXPECT_EQ(ouvert, o.ouvert);
    const std::string attendu = *o.message ? "le fichier \"" + chemin.string() + "\" est " + o.message + "\n" : "";
    EXPECT_EQ(ecran.str(), attendu);
    if (ouvert) {  // a second open on the same stream cannot succeed
        EXPECT_FALSE(ouvrirFichier(flux, chemin.string()));
    }
    fs::remove_all(chemin);
}

INSTANTIATE_TEST_SUITE_P(Cas, OuvrirFichier,
                         testing::Values(Ouverture{"absent", nullptr, false, "absent"},
                                         Ouverture{"vide", "", false, "vide"}, Ouverture{"saut", "\n", true, ""},
                                         Ouverture{"blancs", "  \t", true, ""},
                                         Ouverture{"texte", "prenom nom notes\n", true, ""},
                                         Ouverture{"repertoire", "/", false, "absent"}),
                         [](const auto& info) { return std::string(info.param.cas); });

// Reads one field of each type and what is left after it.
template <class T>
void verifierChamp(const std::string& entree, bool reussi, const T& valeur, const std::string& reste)
{
    std::istringstream flux(entree);
    T lu{};
    EXPECT_EQ(lireChamp(flux, lu), reussi) << '"' << entree << '"';
    if (reussi) {
        EXPECT_EQ(lu, valeur) << '"' << entree << '"';
    }
    flux.clear();
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(flux), {}), reste) << '"' << entree << '"';
}

TEST(LireChamp, ReelEntierMotCaractere)
{
    verifierChamp<float>("  70.5\n", true, 70.5F, "\n");
    verifierChamp<float>("12,5", true, 12.0F, ",5");
    verifierChamp<float>("-3e1 x", true, -30.0F, " x");
    verifierChamp<float>("abs", false, 0.0F, "abs");
    verifierChamp<float>("", false, 0.0F, "");
    verifierChamp<int>(" 42 7", true, 42, " 7");
    verifierChamp<int>("4.5", true, 4, ".5");
    verifierChamp<int>("x1", false, 0, "x1");
    verifierChamp<std::string>("  Durand  80", true, "Durand", "  80");
    verifierChamp<std::string>("\n\tNoe", true, "Noe", "");
    verifierChamp<std::string>(" \n ", false, "", "");
    verifierChamp<char>(" x", true, ' ', "x");
    verifierChamp<char>("\nx", true, '\n', "x");
    verifierChamp<char>("", false, '\0', "");
}

bool pareil(const std::string& a, const std::string& b)
{
    return a == b;
}

bool pareil(float a, float b)  // -0 and 0 differ on the screen
{
    return a == b && std::signbit(a) == std::signbit(b);
}

// The helpers read numbers and words exactly as the stream library does.
template <class T>
void comparerAuFlux(const std::string& entree, std::streamsize largeur = 0)
{
    std::istringstream nous(entree);
    std::istringstream eux(entree);
    nous.width(largeur);
    eux.width(largeur);
    T lu{};
    T attendu{};
    const bool reussi = lireChamp(nous, lu);
    eux >> attendu;
    EXPECT_EQ(reussi, !eux.fail()) << '"' << entree << '"';
    EXPECT_EQ(nous.rdstate(), eux.rdstate()) << '"' << entree << '"';
    EXPECT_EQ(nous.width(), eux.width()) << '"' << entree << '"';
    EXPECT_TRUE(pareil(lu, attendu)) << '"' << entree << '"';
    nous.clear();
    eux.clear();
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(nous), {}),
              std::string(std::istreambuf_iterator<char>(eux), {}))
        << '"' << entree << '"';
}

TEST(LireChamp, CommeLeFlux)
{
    // clang-format off
    const char* const entrees[] = {
        "0", "-0", "+0", "007", "00.5", "-00012.50e-1", ".5", "5.", ".", "-", "+", "+-1", "--1", "1..2", "1.2.3",
        "1e", "1e+", "1e-", "1E5", "1e+5x", "1e5.5", "1e5e5", ".e1", "e5", "0e", "00e1", "1,5", "1.5%",
        " \t\n\v\f\r12", "3.4028235e38", "3.5e38", "-1e40", "1e-40", "1e-50", "-1e-50", "1e99999", "0x1p3", "inf",
        "nan", "123456789012345678901234567890", "0.000000000000000000000000000000000000000000001", "16777217", "0.1",
        "", "   ", "12abc", "\xe9"};
    // clang-format on
    for (const char* entree : entrees) {
        comparerAuFlux<float>(entree);
        comparerAuFlux<std::string>(entree);
    }
    comparerAuFlux<float>(std::string("1\0002", 3));
    comparerAuFlux<std::string>(std::string("a\0b c", 5));
    comparerAuFlux<std::string>("  abcdef", 3);
    comparerAuFlux<float>("  12345", 3);
}

TEST(LireChamp, UnEchecResteUnEchec)
{
    std::istringstream flux("abs 80 Durand");
    float note = 0;
    std::string mot;
    EXPECT_FALSE(lireChamp(flux, note));
    EXPECT_FALSE(lireChamp(flux, mot));
    EXPECT_TRUE(fichierVide(flux));
}

TEST(FichierVide, NeConsommeRien)
{
    std::istringstream plein("x");
    std::istringstream vide("");
    EXPECT_FALSE(fichierVide(plein));
    EXPECT_FALSE(fichierVide(plein));
    EXPECT_TRUE(fichierVide(vide));
    char c = 0;
    EXPECT_TRUE(lireChamp(plein, c));
    EXPECT_EQ(c, 'x');
}

}  // namespace
