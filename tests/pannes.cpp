// Faults the programs must survive, as tests/pannes.txt lists them: on
// Linux each system call made to fail in turn under strace, under wine the
// results file held by another program.
#include "lancer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOUS_ASAN
#endif
#endif

// What the tests below cannot show with some builds, or nothing.
const char* horsDePortee()
{
#if defined(_LIBCPP_VERSION)
    return "libc++'s file buffer takes a read error for the end of the file, and its streams go through C stdio "
           "whatever sync_with_stdio says (tools.h)";
#elif defined(SOUS_ASAN) || defined(__SANITIZE_ADDRESS__)
    return "AddressSanitizer's own calls and memory are not the program's";
#else
    return autreConstruction() ? "strace and the address space's bound follow this machine's own programs" : nullptr;
#endif
}

struct Regle {
    std::string programme, appel, sur;
    std::set<std::string> erreurs;
    std::string issue;
};

struct Table {
    std::vector<std::string> cas;      // "CASE KEYBOARD"
    std::vector<std::string> tenus;    // "CASE : OUTCOME"
    std::vector<std::string> limites;  // "CASE BYTES : OUTCOME"
    std::vector<Regle> regles;
};

// The table's lines, each kept under its first word: the rest as it is,
// or for a rule its fields.
const Table& table()
{
    static const Table lue = [] {
        Table t;
        for (const auto& ligne : lignes(lireFichier(PANNES))) {
            std::istringstream mots(ligne);
            std::string genre;
            mots >> genre;
            const std::string reste = ligne.substr(std::min(ligne.size(), genre.size() + 1));
            if (genre == "cas")
                t.cas.push_back(reste);
            else if (genre == "tenir")
                t.tenus.push_back(reste);
            else if (genre == "limite")
                t.limites.push_back(reste);
            else if (genre == "regle") {
                Regle r;
                mots >> r.programme >> r.appel >> r.sur;
                for (std::string erreur; mots >> erreur && erreur != ":";)
                    r.erreurs.insert(erreur);
                mots >> r.issue;
                t.regles.push_back(r);
            }
        }
        return t;
    }();
    return lue;
}

const char* const appelsSuivis = "openat,newfstatat,read,lseek,write,close,ioctl";
const std::string pause = "Appuyer sur entrer pour continuer ... ";

// A case as the program finds it and as a run without fault shows it.
struct Preparation {
    fs::path dossier;
    std::vector<std::string> commande;
    std::vector<Echange> dialogue;
    Clavier clavier = Clavier::aucun;
    std::string fichier;  // the results file's bytes
    std::string ecran;
    int statut = 0;
};

// Cases made here: 2,500 students, 93 KiB, more than one buffer of the
// report's; a first name of 32 MiB.
bool fabrique(const std::string& nom)
{
    return nom == "grand" || nom == "geant";
}

std::string grandeClasse()
{
    std::string texte = "prenom nom notes\n";
    for (int i = 0; i < 2500; ++i)
        texte += "Eleve" + std::to_string(i) + " Nom" + std::to_string(i % 97) + " " + std::to_string(40 + i % 61) +
                 " 70.5 " + std::to_string(i % 100) + " 65 74.25\n";
    return texte;
}

Preparation preparer(const std::string& nom, const std::string& clavier)
{
    Preparation p;
    p.dossier = dossierTemporaire();
    p.clavier = clavier == "tube" ? Clavier::tube : Clavier::aucun;
    const fs::path cas = fs::path(CAS_DIR) / nom;
    p.fichier = nom == "grand"   ? grandeClasse()
                : nom == "geant" ? "prenom nom notes\n" + std::string(std::size_t{32} << 20, 'A') + " Nom 1 2 3 4 5\n"
                                 : lireFichier(cas / "etudiant.txt");
    if (fabrique(nom) || fs::exists(cas / "etudiant.txt"))
        std::ofstream(p.dossier / "etudiant.txt", std::ios::binary) << p.fichier;
    p.commande = lignes(lireFichier(cas / "commande", "report"));
    p.dialogue = lireDialogue(lireFichier(cas / "dialogue"));
    if (fabrique(nom)) {  // its screen is the report's own, without fault
        const Resultat r = lancer(commandeDe(p.commande), p.dossier, p.clavier, p.dialogue);
        p.dialogue = lireDialogue(r.sortie);
        EXPECT_EQ(r.statut, 0);
        EXPECT_EQ(r.sortie.substr(r.sortie.size() - pause.size()), pause);
    }
    p.ecran = ecranAttendu(p.dialogue, p.clavier);
    p.statut = std::stoi(lireFichier(cas / "statut", "0"));
    return p;
}

// Runs the case's program inside `enveloppe` (strace, prlimit and their
// options).
Resultat lancerDans(const Preparation& p, std::vector<std::string> enveloppe)
{
    const auto programme = commandeDe(p.commande);
    enveloppe.insert(enveloppe.end(), programme.begin(), programme.end());
    return lancer(enveloppe, p.dossier, p.clavier, p.dialogue);
}

// A test's name: the case's, its first word, letters and digits only.
std::string nomDuCas(const testing::TestParamInfo<std::string>& info)
{
    std::string nom = info.param.substr(0, info.param.find(' '));
    std::replace_if(
        nom.begin(), nom.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
    return nom;
}

// A system call of the run without fault: its name, its rank among the
// calls of that name since the program started (strace's count), what it
// acts on, what it returned.
struct Appel {
    std::string nom;
    int rang = 0;
    std::string sur;
    long long rendu = 0;
};

std::string cible(const std::string& ligne)
{
    static const std::regex descripteur(R"(^\w+\((\d+)<([^>]*)>)");
    static const std::regex chemin(R"re(^\w+\(AT_FDCWD<[^>]*>, "([^"]*)")re");
    std::smatch m;
    if (std::regex_search(ligne, m, descripteur)) {
        const int fd = std::stoi(m[1]);
        if (fd <= 2)
            return fd == 0 ? "entree" : fd == 1 ? "sortie" : "erreurs";
        return m[2].str().size() >= 13 && m[2].str().substr(m[2].str().size() - 13) == "/etudiant.txt" ? "fichier"
                                                                                                       : "autre";
    }
    return std::regex_search(ligne, m, chemin) && m[1] == "etudiant.txt" ? "fichier" : "autre";
}

// The calls of the run, and where main made its first one; those of the
// type-ahead flush on standard input told apart (strace -k shows each
// call's stack).
std::vector<Appel> appelsDuProgramme(const std::string& trace, std::size_t& depuisMain)
{
    static const std::regex appel(R"(^(\w+)\(.*\) += (-?\d+))");
    std::vector<Appel> appels;
    std::map<std::string, int> rangs;
    depuisMain = std::string::npos;
    for (const auto& ligne : lignes(trace)) {
        std::smatch m;
        if (ligne.rfind(" > ", 0) == 0 && !appels.empty()) {
            if (depuisMain == std::string::npos && ligne.find("(main+") != std::string::npos)
                depuisMain = appels.size() - 1;
            if (appels.back().sur == "entree" && ligne.find("(viderTampon") != std::string::npos)
                appels.back().sur = "vidange";
        } else if (std::regex_search(ligne, m, appel)) {
            appels.push_back({m[1], ++rangs[m[1]], cible(ligne), std::stoll(m[2])});
        }
    }
    EXPECT_NE(depuisMain, std::string::npos) << "no call from main in the trace";
    depuisMain = std::min(depuisMain, appels.size());
    return appels;
}

std::vector<std::string> elements(std::string liste)
{
    std::replace(liste.begin(), liste.end(), ',', ' ');
    std::istringstream flux(liste);
    return {std::istream_iterator<std::string>(flux), std::istream_iterator<std::string>()};
}

const Regle* regle(const std::string& programme, const Appel& appel, const std::string& erreur)
{
    for (const auto& r : table().regles)
        if (const auto appels = elements(r.appel);
            r.programme == programme && (r.appel == "*" || std::count(appels.begin(), appels.end(), appel.nom) != 0) &&
            (r.sur == "*" || r.sur == appel.sur) && r.erreurs.count(erreur) != 0)
            return &r;
    return nullptr;
}

// The first `n` lines of `ecran`.
std::string debut(const std::string& ecran, std::size_t n)
{
    std::size_t fin = 0;
    for (; n > 0 && fin != std::string::npos; --n)
        fin = ecran.find('\n', fin) == std::string::npos ? std::string::npos : ecran.find('\n', fin) + 1;
    return ecran.substr(0, fin);
}

bool finitEnLigne(const std::string& debutEcran, const std::string& ecran)
{
    return ecran.compare(0, debutEcran.size(), debutEcran) == 0 && (debutEcran.empty() || debutEcran.back() == '\n');
}

// Checks one faulty run against its outcome. `lu`: the bytes of the results
// file read before the fault.
void verifier(const std::string& issue, const Preparation& p, const Resultat& r, std::size_t lu)
{
    ASSERT_FALSE(r.bloque) << "still running at the deadline; the screen: " << r.sortie.substr(0, 400);
    ASSERT_GE(r.statut, 0) << "ended by a signal";
    if (issue == "inchange") {
        EXPECT_EQ(r.sortie, p.ecran);
        EXPECT_EQ(r.statut, p.statut);
        EXPECT_EQ(r.erreurs, "");
    } else if (issue == "illisible") {
        // The rows of the records whose last mark the bytes read end, under
        // the heading once the header line is read.
        const auto sauts = static_cast<std::size_t>(
            std::count(p.fichier.begin(), p.fichier.begin() + static_cast<std::ptrdiff_t>(lu), '\n'));
        const std::string montre = debut(p.ecran, 25 + (sauts > 0 ? 2 + sauts - 1 : 0));
        EXPECT_EQ(r.sortie, montre + "le fichier \"etudiant.txt\" ne peut pas etre lu\n" + pause);
        EXPECT_EQ(r.statut, 0);
        EXPECT_EQ(r.erreurs, "");
    } else if (issue == "ecriture") {
        EXPECT_EQ(r.sortie, p.ecran.substr(0, r.sortie.size()));
        EXPECT_EQ(r.statut, 1);
        EXPECT_EQ(r.erreurs, "le rapport n'a pas pu etre ecrit\n");
    } else if (issue == "memoire") {
        const bool avecPause = r.sortie.size() >= pause.size() &&
                               r.sortie.compare(r.sortie.size() - pause.size(), pause.size(), pause) == 0;
        EXPECT_TRUE(avecPause && finitEnLigne(r.sortie.substr(0, r.sortie.size() - pause.size()), p.ecran))
            << r.sortie.substr(0, 400);
        EXPECT_EQ(r.statut, 1);
        EXPECT_EQ(r.erreurs, "memoire insuffisante\n");
    } else if (issue == "fin") {
        const std::string message = "fin des saisies, arret du programme\n";
        const bool fini = r.sortie.size() >= message.size() &&
                          r.sortie.compare(r.sortie.size() - message.size(), message.size(), message) == 0;
        EXPECT_TRUE(fini && finitEnLigne(r.sortie.substr(0, r.sortie.size() - message.size()), p.ecran)) << r.sortie;
        EXPECT_EQ(r.statut, 1);
    } else {
        ADD_FAILURE() << "no such outcome: " << issue;
    }
}

class Injection : public testing::TestWithParam<std::string> {};

TEST_P(Injection, ChaqueAppelEnEchec)
{
    if (horsDePortee())
        GTEST_SKIP() << horsDePortee();
    const auto champs = elements(GetParam());  // CASE KEYBOARD
    const std::string& nom = champs.at(0);
    const Preparation p = preparer(nom, champs.at(1));
    const std::string programme = p.commande[0];

    const fs::path trace = p.dossier / ".trace";
    const Resultat sansPanne =
        lancerDans(p, {"strace", "-qq", "-o", trace.string(), "-y", "-k", "-e", std::string("trace=") + appelsSuivis});
    if (sansPanne.erreurs.find("Operation not permitted") != std::string::npos)
        GTEST_SKIP() << "this machine lets no program trace another (ptrace): " << sansPanne.erreurs;
    ASSERT_EQ(sansPanne.sortie, p.ecran) << "under strace, without fault; strace said: " << sansPanne.erreurs;
    const std::string suivi = lireFichier(trace);
    if (suivi.find("\n > ") == std::string::npos)
        GTEST_SKIP() << "strace here shows no call's stack (-k): where main starts cannot be told";
    std::size_t depuisMain = 0;
    const std::vector<Appel> appels = appelsDuProgramme(suivi, depuisMain);
    fs::remove(trace);
    std::set<std::string> erreurs;
    for (const auto& r : table().regles)
        if (r.programme == programme)
            erreurs.insert(r.erreurs.begin(), r.erreurs.end());

    std::map<std::string, int> issues;
    std::map<std::string, int> avant;  // calls of each name before this one
    std::size_t lu = 0;                // bytes of the results file read before it
    for (std::size_t i = 0; i < appels.size(); ++avant[appels[i++].nom]) {
        const Appel& appel = appels[i];
        if (i < depuisMain)
            continue;
        for (const auto& erreur : erreurs) {
            const Regle* const r = regle(programme, appel, erreur);
            if (!r)
                continue;
            const std::string injection =
                appel.nom + ":error=" + erreur + ":when=" + std::to_string(avant[appel.nom] + 1);
            SCOPED_TRACE(injection + " (" + appel.sur + "): " + r->issue);
            verifier(r->issue, p, lancerDans(p, {"strace", "-qq", "-o", "/dev/null", "-e", "inject=" + injection}), lu);
            ++issues[r->issue];
        }
        if (appel.nom == "read" && appel.sur == "fichier" && appel.rendu > 0)
            lu += static_cast<std::size_t>(appel.rendu);
    }
    std::cout << nom << ": " << appels.size() - depuisMain << " calls after main, runs by outcome:";
    for (const auto& [issue, nombre] : issues)
        std::cout << ' ' << issue << ' ' << nombre;
    std::cout << std::endl;
    fs::remove_all(p.dossier);
}

INSTANTIATE_TEST_SUITE_P(Pannes, Injection, testing::ValuesIn(table().cas), nomDuCas);

// Memory run out.
class Limite : public testing::TestWithParam<std::string> {};

TEST_P(Limite, MemoireEpuisee)
{
    if (horsDePortee())
        GTEST_SKIP() << horsDePortee();
    const auto champs = elements(GetParam());  // CASE BYTES : OUTCOME
    const Preparation p = preparer(champs.at(0), "aucun");
    verifier(champs.back(), p, lancerDans(p, {"prlimit", "--as=" + champs.at(1)}), 0);
    fs::remove_all(p.dossier);
}

INSTANTIATE_TEST_SUITE_P(Pannes, Limite, testing::ValuesIn(table().limites), nomDuCas);

// The results file held by another program while the report runs.
class Tenu : public testing::TestWithParam<std::string> {};

TEST_P(Tenu, FichierOuvertAilleurs)
{
    if (!sousWine())
        GTEST_SKIP() << "a file held so that no other program reads it is Windows' (its sharing modes)";
    const auto champs = elements(GetParam());  // CASE : OUTCOME
    ASSERT_EQ(champs.back(), "occupe") << "the one outcome of a file held";
    const Preparation p = preparer(champs.at(0), "aucun");
    const auto rapport = commandeDe({"report"}).back();
    const Resultat r = lancer(commandeDe({"tenir", rapport}), p.dossier, Clavier::aucun, p.dialogue);
    EXPECT_EQ(r.sortie, finsDeLigneWindows(std::string(25, '\n') +
                                           "le fichier \"etudiant.txt\" est ouvert dans un autre programme\n" + pause));
    EXPECT_EQ(r.statut, 0);
    fs::remove_all(p.dossier);
}

INSTANTIATE_TEST_SUITE_P(Pannes, Tenu, testing::ValuesIn(table().tenus), nomDuCas);

}  // namespace
