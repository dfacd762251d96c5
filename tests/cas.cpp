// End-to-end cases: each folder of tests/cas holds what the program finds in
// its folder (etudiant.txt, a file or a directory, or nothing), the whole
// expected screen in `dialogue`, and optionally `clavier` (the keyboards it
// runs with, one a line: aucun, tube, fichier, terminal, and console, run
// under wine by console_wine.py; aucun, tube and fichier otherwise),
// `commande` (program and arguments, one a line) and `statut` (expected exit
// status, 0 otherwise).
#include "lancer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A Windows program writes its line ends as "\r\n" (text mode) to a pipe or
// a file; the screen it leaves is compared as it is, byte for byte.
Clavier clavierDe(const std::string& nom)
{
    static const std::map<std::string, Clavier> modes = {{"aucun", Clavier::aucun},
                                                         {"tube", Clavier::tube},
                                                         {"fichier", Clavier::fichier},
                                                         {"terminal", Clavier::terminal}};
    return modes.at(nom);
}

// Whole screens, shown whole only when short enough to read.
void comparerEcrans(const std::string& lu, const std::string& attendu)
{
    if (std::max(lu.size(), attendu.size()) < 10000) {
        EXPECT_EQ(lu, attendu);
        return;
    }
    const auto ecart = std::mismatch(attendu.begin(), attendu.end(), lu.begin(), lu.end());
    const auto extrait = [](const std::string& texte, std::string::const_iterator depuis) {
        return '"' + std::string(depuis, depuis + std::min<std::ptrdiff_t>(80, texte.end() - depuis)) + '"';
    };
    EXPECT_TRUE(lu == attendu) << "from byte " << ecart.first - attendu.begin() << ", expected "
                               << extrait(attendu, ecart.first) << ", got " << extrait(lu, ecart.second);
}

// Runs the program of a case folder in a copy of it, with one of the
// keyboards the case lists, and checks the whole screen and the exit status.
// `delai` is where a run counts as hung: far above what the program needs,
// even under an emulator on a busy machine.
void verifierCas(const fs::path& cas, Clavier clavier, std::chrono::seconds delai = std::chrono::seconds(20))
{
    const fs::path ici = dossierTemporaire();
    if (fs::exists(cas / "etudiant.txt"))
        fs::copy(cas / "etudiant.txt", ici / "etudiant.txt", fs::copy_options::recursive);
    const auto commande = commandeDe(lignes(lireFichier(cas / "commande", "report")));
    auto dialogue = lireDialogue(lireFichier(cas / "dialogue"));
    if (sousWine()) {
        // What wine cannot show; the unit tests of the Windows flush, run in a
        // wine console and on a wine pipe, show it instead.
        if (clavier == Clavier::terminal)
            GTEST_SKIP() << "wine's console draws on a terminal with escape sequences, and reads the terminal only "
                            "while a read waits";
        if (clavier == Clavier::tube && dialogue[0].attendu.empty() && !dialogue[0].saisie.empty())
            GTEST_SKIP() << "wine cannot tell what waits in a Unix pipe (PeekNamedPipe: ERROR_NOT_SUPPORTED)";
        for (auto& echange : dialogue)
            echange.attendu = finsDeLigneWindows(echange.attendu);
    }

    const Resultat resultat = lancer(commande, ici, clavier, dialogue, delai);
    fs::remove_all(ici);

    // Nothing shown at all where something was due is told apart from a
    // wrong screen: the program did not start, or its output was lost on
    // the way.
    const std::string attendu = ecranAttendu(dialogue, clavier);
    if (resultat.sortie.empty() && !attendu.empty() && !resultat.bloque) {
        ADD_FAILURE() << "nothing shown, exit status " << resultat.statut
                      << ": the program did not start, or its emulator failed or lost its output. On the error "
                         "stream: \""
                      << resultat.erreurs << '"';
        return;
    }
    // The programs write nothing there; what does is the emulator's (wine's,
    // qemu's) word on a program it could not start or run.
    if (!resultat.erreurs.empty())
        ADD_FAILURE() << "On the error stream: \"" << resultat.erreurs << '"';
    EXPECT_FALSE(resultat.bloque) << "still running at the deadline; the screen ended with \""
                                  << resultat.sortie.substr(resultat.sortie.size() -
                                                            std::min<std::size_t>(resultat.sortie.size(), 400))
                                  << '"';
    EXPECT_FALSE(resultat.interrompu) << "the program did not wait for all that was to be typed";
    comparerEcrans(resultat.sortie, attendu);
    EXPECT_EQ(resultat.statut, std::stoi(lireFichier(cas / "statut", "0")));
}

// "folder/keyboard" for every keyboard each case folder lists but a Windows
// console; a report case that lists none runs with nothing, an empty pipe and
// an empty file.
std::vector<std::string> listerCas()
{
    std::vector<std::string> noms;
    for (const auto& entree : fs::directory_iterator(CAS_DIR))
        for (const auto& clavier : lignes(lireFichier(entree.path() / "clavier", "aucun\ntube\nfichier")))
            if (clavier != "console")
                noms.push_back(entree.path().filename().string() + "/" + clavier);
    std::sort(noms.begin(), noms.end());
    return noms;
}

class Cas : public testing::TestWithParam<std::string> {};

TEST_P(Cas, EcranEtStatut)
{
    const auto barre = GetParam().find('/');
    verifierCas(fs::path(CAS_DIR) / GetParam().substr(0, barre), clavierDe(GetParam().substr(barre + 1)));
}

std::string nomDeTest(const testing::TestParamInfo<std::string>& info)
{
    std::string nom = info.param;
    for (char& c : nom)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return nom;
}

INSTANTIATE_TEST_SUITE_P(Dossiers, Cas, testing::ValuesIn(listerCas()), nomDeTest);

// Too large to store: 1,000,000 students averaging 99.9, whose class average
// is 100 only if the class total keeps its precision. Under qemu-i386, which
// computes x87 arithmetic in software, with both cores busy, a run once took
// over 20 s: it counts as hung only past 200 s, within CTest's 300.
TEST(GrandeClasse, MoyenneDeClasseExacte)
{
    const fs::path cas = dossierTemporaire();
    const std::string filet = "___________________________________     \n";
    std::ofstream fichier(cas / "etudiant.txt");
    std::ofstream attendu(cas / "dialogue");
    fichier << "prenom nom notes\n";
    attendu << std::string(25, '\n') << "prenom         nom             note\n" << filet;
    for (int i = 0; i < 1000000; ++i) {
        fichier << "Eve Martin 99.9 99.9 99.9 99.9 99.9\n";
        attendu << "Eve            Martin          100%   \n";
    }
    attendu << filet << "                       moyenne 100%\n"
            << "\n______  _______________________________\n      |/\n (\\_/)\n( . .)\nc(\")(\")\n"
            << "Fin du programme\nAppuyer sur entrer pour continuer ... ";
    fichier.close();
    attendu.close();
    verifierCas(cas, Clavier::aucun, std::chrono::seconds(200));
    fs::remove_all(cas);
}

// Output that cannot be written is not reported as success, whatever the
// file held: exit status 1 and one line on the error stream. To a full disk,
// and to a pipe whose reader has gone (rapport-notes | head), which is no
// signal that ends the program without a word.
TEST(SortiePerdue, StatutEtMessage)
{
    for (const char* cas : {"exemple", "fichier-absent", "fichier-vide", "note-non-numerique"})
        for (const bool tube : {false, true}) {
            SCOPED_TRACE(std::string(cas) + (tube ? ", to a pipe without reader" : ", to a full disk"));
            const fs::path ici = dossierTemporaire();
            if (fs::exists(fs::path(CAS_DIR) / cas / "etudiant.txt"))
                fs::copy(fs::path(CAS_DIR) / cas / "etudiant.txt", ici / "etudiant.txt");
            int bouts[2] = {-1, -1};
            ASSERT_EQ(pipe(bouts), 0);
            close(bouts[0]);
            const pid_t pid = fork();
            if (pid == 0) {
                const int sortie = tube ? bouts[1] : open("/dev/full", O_WRONLY);
                const int erreurs = open((ici / "erreur").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                dup2(open("/dev/null", O_RDONLY), 0);
                dup2(sortie, 1);
                dup2(erreurs, 2);
                auto commande = commandeDe({"report"});
                std::vector<char*> arguments;
                arguments.reserve(commande.size() + 1);
                for (auto& mot : commande)
                    arguments.push_back(mot.data());
                arguments.push_back(nullptr);
                if (chdir(ici.c_str()) == 0)
                    execvp(arguments[0], arguments.data());
                _exit(127);
            }
            close(bouts[1]);
            int statut = 0;
            waitpid(pid, &statut, 0);
            EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 1) << statut;
            EXPECT_EQ(lireFichier(ici / "erreur"),
                      sousWine() ? "le rapport n'a pas pu etre ecrit\r\n" : "le rapport n'a pas pu etre ecrit\n");
            fs::remove_all(ici);
        }
}

// The runner's own deadline holds, and a hang is told with what it showed:
// a program that never reads, silent or printing without end.
TEST(Lanceur, DelaiTenu)
{
    if (autreConstruction())
        GTEST_SKIP() << "a check of the runner, not of the programs";
    const struct {
        std::vector<std::string> commande;
        Clavier clavier;
        const char* debutEcran;
    } cas[] = {{{"/bin/sleep", "600"}, Clavier::tube, ""},
               {{"/bin/sh", "-c", "exec yes"}, Clavier::terminal, "y\ny\ny\n"},
               {{"/bin/sh", "-c", "exec yes"}, Clavier::aucun, "y\ny\ny\n"}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.commande.back());
        const fs::path ici = dossierTemporaire();
        const Resultat resultat =
            lancer(c.commande, ici, c.clavier, lireDialogue("never shown{{x\n}}"), std::chrono::seconds(2));
        EXPECT_TRUE(resultat.bloque);
        EXPECT_EQ(resultat.statut, -1);
        EXPECT_EQ(resultat.sortie.substr(0, 6), c.debutEcran);
        fs::remove_all(ici);
    }
}

}  // namespace
