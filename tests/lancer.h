// Runs a console program as a person would: in a folder of its own, with
// standard input from /dev/null, a pipe, a regular file or a terminal,
// typing each answer only once the expected screen is shown.
#ifndef TESTS_LANCER_H
#define TESTS_LANCER_H

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

enum class Clavier { aucun, tube, fichier, terminal };

// What the screen shows, then what is typed once it does. An exchange with
// nothing expected is typed before the program starts (type-ahead).
struct Echange {
    std::string attendu;
    std::string saisie;
};

struct Resultat {
    std::string sortie;       // terminal line ends are given back as "\n"
    std::string erreurs;      // the error stream, when it is not the terminal
    int statut = -1;          // exit status, or -1 if it had to be killed
    bool interrompu = false;  // it ended, or showed something else, before all was typed
    bool bloque = false;      // still running at the deadline, and killed
};

// Reads "text{{typed}}text{{typed}}text" into exchanges.
std::vector<Echange> lireDialogue(const std::string& texte);

// The whole screen a run is expected to leave (a terminal echoes what is typed).
std::string ecranAttendu(const std::vector<Echange>& dialogue, Clavier clavier);

// Whatever the program does, returns once it has ended or `delai` has passed.
Resultat lancer(const std::vector<std::string>& commande, const std::filesystem::path& dossier, Clavier clavier,
                const std::vector<Echange>& dialogue, std::chrono::seconds delai = std::chrono::seconds(20));

// The programs under test: this build's, or with CAS_PROGRAMMES those of the
// cross build in that folder, started by the emulator it names in its
// emulateur.txt (wine for Windows, qemu-user for another architecture).
// `commande` names one (report, saisir, questions, bonjour, mots, or tenir,
// built for Windows only) and its arguments.
std::vector<std::string> commandeDe(std::vector<std::string> commande);
// Whether the programs are another build's, and whether Windows ones.
bool autreConstruction();
bool sousWine();

// `texte` as a Windows program writes it to a pipe or a file: each line end
// "\r\n" (text mode).
std::string finsDeLigneWindows(const std::string& texte);

// A file's bytes, or `sinon` when it cannot be read; its lines.
std::string lireFichier(const std::filesystem::path& chemin, const std::string& sinon = "");
std::vector<std::string> lignes(const std::string& texte);
// A new empty folder.
std::filesystem::path dossierTemporaire();

#endif
