#include "lancer.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

using Horloge = std::chrono::steady_clock;
constexpr std::size_t ecranMax = std::size_t{64} << 20;

struct Processus {
    pid_t pid = -1;
    int sortie = -1;   // what the program prints
    int erreurs = -1;  // its error stream (or an emulator's), or -1 at a terminal
    int clavier = -1;  // where the test types, or -1
    int depart = -1;   // the program starts once this is closed
    bool terminal = false;
    std::string lu;  // what the screen shows, with a terminal's line ends as "\n"
    std::string luErreurs;
};

[[noreturn]] void executer(const std::vector<std::string>& commande, const std::filesystem::path& dossier,
                           const int depart[2])
{
    close(depart[1]);
    char attente;
    (void)!read(depart[0], &attente, 1);  // returns when the test closes its end
    std::vector<char*> arguments;
    arguments.reserve(commande.size() + 1);
    for (const auto& mot : commande)
        arguments.push_back(const_cast<char*>(mot.c_str()));
    arguments.push_back(nullptr);
    if (chdir(dossier.c_str()) == 0)
        execvp(arguments[0], arguments.data());
    _exit(127);
}

// A pipe for the run; without one no run can be made or judged.
void ouvrirTube(int bouts[2])
{
    if (pipe2(bouts, O_CLOEXEC) != 0) {
        std::perror("pipe2");
        std::abort();
    }
}

std::string concatener(const std::vector<Echange>& dialogue)
{
    std::string tout;
    for (const auto& echange : dialogue)
        tout += echange.saisie;
    return tout;
}

Processus demarrer(const std::vector<std::string>& commande, const std::filesystem::path& dossier, Clavier clavier,
                   const std::vector<Echange>& dialogue)
{
    Processus p;
    int depart[2];
    ouvrirTube(depart);
    p.depart = depart[1];
    if (clavier == Clavier::terminal) {
        p.terminal = true;
        p.pid = forkpty(&p.sortie, nullptr, nullptr, nullptr);
        if (p.pid == 0)
            executer(commande, dossier, depart);
        p.clavier = p.sortie;
    } else {
        int sortie[2], erreurs[2], tube[2] = {-1, -1};
        ouvrirTube(sortie);
        ouvrirTube(erreurs);
        if (clavier == Clavier::tube)
            ouvrirTube(tube);
        if (clavier == Clavier::fichier)
            std::ofstream(dossier / ".clavier", std::ios::binary) << concatener(dialogue);
        p.pid = fork();
        if (p.pid == 0) {
            const auto source = clavier == Clavier::tube      ? tube[0]
                                : clavier == Clavier::fichier ? open((dossier / ".clavier").c_str(), O_RDONLY)
                                                              : open("/dev/null", O_RDONLY);
            dup2(source, 0);
            dup2(sortie[1], 1);
            dup2(erreurs[1], 2);
            executer(commande, dossier, depart);
        }
        close(sortie[1]);
        close(erreurs[1]);
        p.erreurs = erreurs[0];
        if (tube[0] >= 0)
            close(tube[0]);
        p.sortie = sortie[0];
        p.clavier = tube[1];
    }
    close(depart[0]);
    return p;
}

// Kept as the screen shows it as it comes, so that the screen is never
// walked whole again however much a program prints.
void recevoir(Processus& p, const char* morceau, std::size_t taille)
{
    if (!p.terminal) {
        p.lu.append(morceau, taille);
        return;
    }
    for (std::size_t i = 0; i < taille; ++i) {
        if (morceau[i] == '\n' && !p.lu.empty() && p.lu.back() == '\r')
            p.lu.back() = '\n';
        else
            p.lu += morceau[i];
    }
}

// Reads what is printed until `assez` holds, the program closes its output,
// or the deadline passes; and what comes on the error stream meanwhile.
template <class Condition>
void lire(Processus& p, Horloge::time_point limite, Condition assez)
{
    while (!assez() && Horloge::now() < limite) {
        pollfd attente[2] = {{p.sortie, POLLIN, 0}, {p.erreurs, POLLIN, 0}};
        if (poll(attente, p.erreurs >= 0 ? 2 : 1, 50) <= 0)
            continue;
        char morceau[65536];
        if (attente[1].revents != 0) {
            const ssize_t n = read(p.erreurs, morceau, sizeof morceau);
            if (n > 0 && p.luErreurs.size() < ecranMax)
                p.luErreurs.append(morceau, static_cast<std::size_t>(n));
            else if (n <= 0)
                close(std::exchange(p.erreurs, -1));
        }
        if (attente[0].revents == 0)
            continue;
        const ssize_t n = read(p.sortie, morceau, sizeof morceau);
        if (n <= 0 || p.lu.size() > ecranMax)  // a program printing without end is stopped by the deadline
            return;
        recevoir(p, morceau, static_cast<std::size_t>(n));
    }
}

bool enVie(pid_t pid)
{
    siginfo_t etat{};
    return waitid(P_PID, static_cast<id_t>(pid), &etat, WEXITED | WNOHANG | WNOWAIT) == 0 && etat.si_pid == 0;
}

}  // namespace

std::vector<Echange> lireDialogue(const std::string& texte)
{
    std::vector<Echange> dialogue;
    std::size_t debut = 0;
    for (;;) {
        const auto ouvre = texte.find("{{", debut);
        const auto ferme = ouvre == std::string::npos ? ouvre : texte.find("}}", ouvre);
        if (ferme == std::string::npos) {
            dialogue.push_back({texte.substr(debut), ""});
            return dialogue;
        }
        dialogue.push_back({texte.substr(debut, ouvre - debut), texte.substr(ouvre + 2, ferme - ouvre - 2)});
        debut = ferme + 2;
    }
}

std::string ecranAttendu(const std::vector<Echange>& dialogue, Clavier clavier)
{
    std::string ecran;
    for (const auto& echange : dialogue)
        ecran += echange.attendu + (clavier == Clavier::terminal ? echange.saisie : "");
    return ecran;
}

Resultat lancer(const std::vector<std::string>& commande, const std::filesystem::path& dossier, Clavier clavier,
                const std::vector<Echange>& dialogue, std::chrono::seconds delai)
{
    std::signal(SIGPIPE, SIG_IGN);
    // Run with standard streams closed, new pipes would take their numbers.
    for (int fd = 0; fd < 3; ++fd)
        if (fcntl(fd, F_GETFD) < 0)
            open("/dev/null", O_RDWR);
    Processus p = demarrer(commande, dossier, clavier, dialogue);
    const auto limite = Horloge::now() + delai;
    std::string ecran;
    Resultat resultat;
    auto affiche = [&] { return p.lu.size() >= ecran.size(); };
    std::size_t aTaper = 0;
    for (const auto& echange : dialogue)
        aTaper += echange.saisie.empty() ? 0 : 1;
    const auto fermerSiTout = [&] {  // a pipe ends with what was typed into it
        if (aTaper == 0 && clavier == Clavier::tube)
            close(std::exchange(p.clavier, -1));
    };
    fermerSiTout();
    for (const auto& echange : dialogue) {
        ecran += echange.attendu;
        if (!ecran.empty()) {  // otherwise typed ahead, before the program starts
            close(p.depart);
            p.depart = -1;
            lire(p, limite, affiche);
        }
        if (echange.saisie.empty() || clavier == Clavier::fichier)
            continue;
        if (!ecran.empty()) {
            // A person types only at a program that shows what is expected and still waits.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            if (!enVie(p.pid) || p.lu != ecran) {
                resultat.interrompu = true;
                break;
            }
        }
        if (p.clavier >= 0)
            (void)!write(p.clavier, echange.saisie.data(), echange.saisie.size());
        --aTaper;
        fermerSiTout();
        if (p.terminal) {  // the terminal takes it in once it has echoed it
            ecran += echange.saisie;
            lire(p, limite, affiche);
        }
    }
    if (p.depart >= 0)
        close(p.depart);
    if (clavier == Clavier::tube && p.clavier >= 0)
        close(p.clavier);
    lire(p, limite, [] { return false; });
    int statut = 0;
    pid_t fini = 0;
    while ((fini = waitpid(p.pid, &statut, WNOHANG)) == 0 && Horloge::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (fini == 0) {  // still running at the deadline: it hangs
        kill(p.pid, SIGKILL);
        waitpid(p.pid, &statut, 0);
        resultat.bloque = true;
    } else if (WIFEXITED(statut)) {
        resultat.statut = WEXITSTATUS(statut);
    }
    close(p.sortie);
    if (p.erreurs >= 0) {  // what is left, without waiting on what a killed program left behind
        fcntl(p.erreurs, F_SETFL, O_NONBLOCK);
        char morceau[4096];
        for (ssize_t n; (n = read(p.erreurs, morceau, sizeof morceau)) > 0;)
            p.luErreurs.append(morceau, static_cast<std::size_t>(n));
        close(p.erreurs);
    }
    resultat.sortie = std::move(p.lu);
    resultat.erreurs = std::move(p.luErreurs);
    return resultat;
}

std::string finsDeLigneWindows(const std::string& texte)
{
    std::string windows;
    for (const char c : texte)
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return windows;
}

std::string lireFichier(const std::filesystem::path& chemin, const std::string& sinon)
{
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier)
        return sinon;
    std::ostringstream tout;
    tout << fichier.rdbuf();
    return tout.str();
}

std::vector<std::string> lignes(const std::string& texte)
{
    std::vector<std::string> resultat;
    std::istringstream flux(texte);
    for (std::string ligne; std::getline(flux, ligne);)
        resultat.push_back(ligne);
    return resultat;
}

std::filesystem::path dossierTemporaire()
{
    std::string modele = (std::filesystem::temp_directory_path() / "cas-XXXXXX").string();
    return mkdtemp(modele.data());
}

namespace {

const char* const dossierAutre = std::getenv("CAS_PROGRAMMES");

// The other build's emulateur.txt: its system, then the emulator's words.
const std::vector<std::string>& descriptionAutre()
{
    static const auto description = lignes(lireFichier(std::filesystem::path(dossierAutre) / "emulateur.txt", "?"));
    return description;
}

}  // namespace

bool autreConstruction()
{
    return dossierAutre != nullptr;
}

bool sousWine()
{
    return autreConstruction() && descriptionAutre().front() == "Windows";
}

std::vector<std::string> commandeDe(std::vector<std::string> commande)
{
    static const std::map<std::string, std::pair<const char*, const char*>> programmes = {
        {"report", {REPORT_EXE, "/report/rapport-notes"}},
        {"saisir", {SAISIR_EXE, "/tests/saisir"}},
        {"questions", {QUESTIONS_EXE, "/tests/questions"}},
        {"bonjour", {BONJOUR_EXE, "/tests/bonjour"}},
        {"mots", {MOTS_EXE, "/tests/mots"}},
        {"tenir", {"", "/tests/tenir"}}};
    const auto& programme = programmes.at(commande[0]);
    if (!autreConstruction()) {
        commande[0] = programme.first;
        return commande;
    }
    commande[0] = dossierAutre + std::string(programme.second) + (sousWine() ? ".exe" : "");
    commande.insert(commande.begin(), descriptionAutre().begin() + 1, descriptionAutre().end());
    return commande;
}
