// Opening a text file and reading it field by field.
#include "morcele.h"
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

TEST(OuvrirFichier, MessageEtResultat)
{
    const struct {
        const char* cas;
        const char* contenu;  // nullptr: no such file; "/": a directory
        bool ouvert;
        const char* message;
    } cas[] = {{"absent", nullptr, false, "absent"},
               {"vide", "", false, "vide"},
               {"saut", "\n", true, ""},
               {"blancs", "  \t", true, ""},
               {"texte", "prenom nom\n", true, ""},
               {"repertoire", "/", false, "absent"}};
    for (const auto& o : cas) {
        SCOPED_TRACE(o.cas);
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
        const bool rouvert = ouvert && ouvrirFichier(flux, chemin.string());  // an open stream cannot open again
        std::cout.rdbuf(console);
        flux.close();  // Windows removes no file that is open

        EXPECT_EQ(ouvert, o.ouvert);
        EXPECT_FALSE(rouvert);
        // Of an open file, only the second opening speaks.
        const std::string message = "le fichier \"" + chemin.string() + "\" est ";
        EXPECT_EQ(ecran.str(), message + (ouvert ? "absent" : o.message) + "\n");
        fs::remove_all(chemin);
    }
}

// After a failed read, a stream in error says why, in the words the system
// gave (errno; on Windows its own code, in _doserrno); a failure of the
// text's own says nothing. Wine lets a read through a part of a file that
// another program has locked: the system's word for it is given here.
TEST(SignalerLectureImpossible, SelonLeSysteme)
{
    const struct {
        std::ios::iostate etat;
        int erreur;
        unsigned long erreurWindows;
        const char* message;  // nullptr: nothing said
    } cas[] = {
        {std::ios::eofbit | std::ios::failbit, EIO, 0, nullptr},
        {std::ios::badbit, EIO, 0, "ne peut pas etre lu"},
#ifdef _WIN32
        {std::ios::badbit, EACCES, ERROR_LOCK_VIOLATION, "est ouvert dans un autre programme"},
        {std::ios::badbit, EACCES, ERROR_ACCESS_DENIED, "ne peut pas etre lu"},
#endif
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::to_string(c.etat) + " " + std::to_string(c.erreurWindows));
        std::istringstream flux;
        flux.setstate(c.etat);
        std::ostringstream ecran;
        auto* const console = std::cout.rdbuf(ecran.rdbuf());
        errno = c.erreur;
#ifdef _WIN32
        _doserrno = c.erreurWindows;
#endif
        const bool dit = signalerLectureImpossible(flux, "notes.txt");
        std::cout.rdbuf(console);
        EXPECT_EQ(dit, c.message != nullptr);
        EXPECT_EQ(ecran.str(), c.message ? std::string("le fichier \"notes.txt\" ") + c.message + "\n" : "");
    }
}

#ifdef _WIN32
// A file that an old editor ended with Ctrl+Z (0x1A), text after it: the C
// runtime's text mode, in which ouvrirFichier opens it, ends it there.
TEST(OuvrirFichier, CtrlZTermineLeFichierWindows)
{
    const fs::path chemin = fs::temp_directory_path() / "ctrl-z.txt";
    std::ofstream(chemin, std::ios::binary) << "prenom nom\r\nAlice Durand\x1a"
                                               "Bruno Petit\r\n";
    std::ifstream flux;
    std::string mot;
    ASSERT_TRUE(ouvrirFichier(flux, chemin.string()));
    for (const char* attendu : {"prenom", "nom", "Alice", "Durand"}) {
        EXPECT_TRUE(lireChamp(flux, mot));
        EXPECT_EQ(mot, attendu);
    }
    EXPECT_FALSE(lireChamp(flux, mot));
    EXPECT_TRUE(flux.eof());
    flux.close();
    fs::remove(chemin);
}
#endif

// A read as one line of text: result, state, width left, characters left,
// value (a float as its bits, where -0 and 0 differ as on the screen), as
// "false, eof fail, width 0, 2 left, 00000000".
std::string valeurLisible(float valeur)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &valeur, sizeof bits);
    char texte[16];
    std::snprintf(texte, sizeof texte, "%08x", static_cast<unsigned>(bits));
    return texte;
}

std::string valeurLisible(int valeur)
{
    return std::to_string(valeur);
}

std::string valeurLisible(const std::string& valeur)
{
    std::string texte;
    for (const char c : valeur) {
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
        texte += c > ' ' && c < 0x7f && c != '\\' ? std::string(1, c) : std::string(code);
    }
    return texte;
}

std::string etatLisible(std::ios::iostate etat)
{
    std::string mots;
    for (const auto& [bit, mot] :
         {std::pair{std::ios::badbit, "bad"}, {std::ios::eofbit, "eof"}, {std::ios::failbit, "fail"}})
        if ((etat & bit) != 0)
            mots += (mots.empty() ? "" : " ") + std::string(mot);
    return mots.empty() ? "good" : mots;
}

// How the stream stands before a read, besides its text.
struct Reglage {
    std::streamsize largeur = 0;
    bool sansBlancs = false;    // noskipws
    bool finAtteinte = false;   // eofbit alone already set
    bool lie = false;           // an output tied to it, whose flushes are counted
    bool valeurDejaLa = false;  // the caller's variable holds a value already
};

// What the caller's variable holds before the read, when it holds something.
void donnerUneValeur(float& valeur)
{
    valeur = 5;
}

void donnerUneValeur(int& valeur)
{
    valeur = 5;
}

void donnerUneValeur(std::string& valeur)
{
    valeur = "5";
}

struct SortieComptee : std::stringbuf {
    int vidages = 0;
    int sync() override
    {
        ++vidages;
        return 0;
    }
};

// Reads one T from `tampon`, by lireChamp or by the library's own `>>`, the
// stream set as `reglage` says.
template <class T>
std::string lireSelon(TamponMorcele& tampon, const Reglage& reglage, bool parLaBibliotheque)
{
    std::istream flux(&tampon);
    SortieComptee comptee;
    std::ostream sortie(&comptee);
    flux.width(reglage.largeur);
    if (reglage.sansBlancs)
        flux.unsetf(std::ios::skipws);
    if (reglage.finAtteinte)
        flux.setstate(std::ios::eofbit);
    if (reglage.lie)
        flux.tie(&sortie);
    T valeur{};
    if (reglage.valeurDejaLa)
        donnerUneValeur(valeur);
    const bool reussi = parLaBibliotheque ? !(flux >> valeur).fail() : lireChamp(flux, valeur);
    return std::string(reussi ? "true" : "false") + ", " + etatLisible(flux.rdstate()) + ", width " +
           std::to_string(flux.width()) + ", " + std::to_string(tampon.reste().size()) + " left, " +
           valeurLisible(valeur) + (reglage.lie ? ", tie flushed " + std::to_string(comptee.vidages) : "");
}

template <class T>
std::string lectureDeLaBibliotheque(const std::string& entree, const Reglage& reglage)
{
    TamponMorcele tampon(entree, entree.size() + 1);
    return lireSelon<T>(tampon, reglage, true);
}

// lireChamp must give `attendu` whichever way the text reaches it: with the
// buffer still empty, already filled, or a few characters at each refill.
template <class T>
void verifierLecture(const std::string& entree, const Reglage& reglage, const std::string& attendu)
{
    SCOPED_TRACE('"' + entree.substr(0, 400) + '"');
    for (const std::size_t morceau : {entree.size() + 1, std::size_t{1}, std::size_t{2}, std::size_t{7}})
        for (const bool rempli : {false, true}) {
            SCOPED_TRACE(std::to_string(morceau) + (rempli ? " filled" : " empty"));
            TamponMorcele tampon(entree, morceau);
            if (rempli)
                tampon.sgetc();
            EXPECT_EQ(lireSelon<T>(tampon, reglage, false), attendu);
        }
}

// The stream library's results for every read of the table, recorded from
// libstdc++ (whose extraction follows the classic locale's rules: libc++ 14
// takes hexadecimal digits and letters into a float, and fails where a value
// is too small), one a line, keyed by the read: type, width, text. Every
// toolchain must give them; with libstdc++ they are checked against the
// library each run, and LECTURES_ENREGISTRER=1 writes them anew.
std::string lectureLisible(const std::string& type, std::streamsize largeur, const std::string& entree)
{
    std::string texte = type + " width " + std::to_string(largeur) + " \"";
    for (std::size_t i = 0; i < entree.size();) {
        const char c = entree[i];
        std::size_t fin = i;
        while (fin < entree.size() && entree[fin] == c)
            ++fin;
        const bool simple = c >= ' ' && c < 0x7f && c != '\\' && c != '"' && c != '{';
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
        const std::string lisible = simple ? std::string(1, c) : std::string(code);
        if (fin - i >= 8) {  // a long run, as {count*character}
            texte += "{" + std::to_string(fin - i) + "*" + lisible + "}";
            i = fin;
        } else {
            texte += lisible;
            ++i;
        }
    }
    return texte + "\"";
}

struct Attendus {
    std::map<std::string, std::string> lectures;
    std::vector<std::string> ordre;  // as recorded
    bool enregistrer = std::getenv("LECTURES_ENREGISTRER") != nullptr;
    ~Attendus()
    {
        if (enregistrer) {
            std::ofstream fichier(LECTURES_ATTENDUES);
            fichier << "# lireChamp's reads as the stream library gives them: type width \"text\" -> result\n";
            for (const auto& lecture : ordre)
                fichier << lecture << " -> " << lectures[lecture] << '\n';
        }
    }
};

Attendus& attendus()
{
    static Attendus lus = [] {
        Attendus a;
        std::ifstream fichier(LECTURES_ATTENDUES);
        for (std::string ligne; !a.enregistrer && std::getline(fichier, ligne);) {
            const auto fleche = ligne.rfind(" -> ");
            if (ligne.empty() || ligne[0] == '#' || fleche == std::string::npos)
                continue;
            a.lectures[ligne.substr(0, fleche)] = ligne.substr(fleche + 4);
        }
        return a;
    }();
    return lus;
}

// lireChamp reads numbers and words exactly as formatted extraction does:
// same value, result, stream state, width, and the same characters left.
template <class T>
void comparerAuFlux(const std::string& entree, std::streamsize largeur = 0)
{
    const std::string type = std::is_same_v<T, float> ? "float" : std::is_same_v<T, int> ? "int" : "string";
    const std::string lecture = lectureLisible(type, largeur, entree);
    Attendus& table = attendus();
    if (table.enregistrer && table.lectures.count(lecture) == 0) {
        table.lectures[lecture] = lectureDeLaBibliotheque<T>(entree, {largeur});
        table.ordre.push_back(lecture);
    }
    const auto trouve = table.lectures.find(lecture);
    ASSERT_NE(trouve, table.lectures.end())
        << lecture << ": no recorded result (LECTURES_ENREGISTRER=1 with libstdc++)";
    const std::string& attendu = trouve->second;
#if defined(__GLIBCXX__)
    EXPECT_EQ(lectureDeLaBibliotheque<T>(entree, {largeur}), attendu) << "the recorded result is not the library's";
#endif
    verifierLecture<T>(entree, {largeur}, attendu);
}

TEST(LireChamp, CommeLeFlux)
{
    // clang-format off
    const char* const entrees[] = {
        "  70.5\n", "abs", "12,5", "  Durand  80", "0", "-0", "+0", "007", "00.5", "-00012.50e-1", ".5", "5.", ".",
        "-", "+", "+-1", "--1", "1..2", "1.2.3", "1e", "1e+", "1e-", "1E5", "1e+5x", "1e5.5", "1e5e5", ".e1", "e5",
        "0e", "00e1", "1.5%", " \t\n\v\f\r12", "3.4028235e38", "3.5e38", "-1e40", "1e-40", "1e-50", "-1e-50",
        "1e99999", "0x1p3", "inf", "nan", "123456789012345678901234567890", "16777217", "0.1", "", "   ", "12abc",
        "0.000000000000000000000000000000000000000000001", "\xe9",
        // followed by a separator: the in-buffer way decides on the character after the number
        "80 70", "74e\n", "1e5 x", "-.5\t", "5. ", ".e1 ", "1e+ 2", "+ 1", "12345678 ", "1234567.5\n", "-0.0000001 ",
        "9999999\t", "0.5e0 ", "8\f9", "8\v9", "Durand\n80"};
    // clang-format on
    for (const char* entree : entrees) {
        comparerAuFlux<float>(entree);
        comparerAuFlux<std::string>(entree);
        comparerAuFlux<int>(entree);
    }
    // Past the digits a number keeps: rounding boundaries, huge exponents,
    // long runs of zeros; each must still give the library's value and stop.
    const std::string milieu = "1.000000059604644775390625";                // halfway between 1 and the next float
    const std::string bordMax = "340282356779733661637539395458142568448";  // halfway past the largest float
    const std::string zeros(300, '0');
    // halfway between 0 and the smallest float: 105 significant digits
    const std::string moitieDuPlusPetit =
        "0.000000000000000000000000000000000000000000000700649232162408535461864791644958065640130970938257885878534141"
        "944895541342930300743319094181060791015625";
    const std::string longues[] = {milieu,
                                   milieu + zeros,
                                   milieu + zeros + "1",
                                   "-" + milieu + zeros + "1e-0 x",
                                   bordMax,
                                   "340282356779733661637539395458142568447." + std::string(300, '9'),
                                   bordMax + "." + zeros + "1",
                                   std::string(300, '9'),
                                   std::string(100000, '3') + " 1",
                                   "1" + std::string(250, '0') + "e-240",
                                   "0." + std::string(400, '0') + "1e430",
                                   std::string(5000, '0') + "12.5",
                                   "0." + std::string(44, '0') + "1401298464324817",
                                   moitieDuPlusPetit,
                                   moitieDuPlusPetit + zeros + "1",
                                   "1e" + std::string(30, '0') + "5",
                                   "1e-" + std::string(30, '9'),
                                   "-0e" + std::string(30, '9'),
                                   "1e" + std::string(30, '9')};
    for (const auto& entree : longues)
        comparerAuFlux<float>(entree);
    comparerAuFlux<float>(std::string("1\0002", 3));
    comparerAuFlux<std::string>(std::string("a\0b c", 5));
    comparerAuFlux<std::string>("  abcdef", 3);
    comparerAuFlux<float>("  12345", 3);
}

// Reads whose results follow from the written rules, worked out by hand
// (value bits, state, characters left): each guards against a fault the
// comparisons above once let through. The library must agree.
template <class T, class Lignes>
void verifierSelonLesRegles(const Lignes& lignes)
{
    for (const auto& ligne : lignes) {
#if defined(__GLIBCXX__)
        EXPECT_EQ(lectureDeLaBibliotheque<T>(ligne.texte, ligne.reglage), ligne.attendu) << ligne.texte.substr(0, 40);
#endif
        verifierLecture<T>(ligne.texte, ligne.reglage, ligne.attendu);
    }
}

struct LigneDeRegle {
    std::string texte;
    Reglage reglage;
    const char* attendu;
};

TEST(LireChamp, SelonLesRegles)
{
    const Reglage sansBlancs{0, true};
    const Reglage finAtteinte{0, false, true};
    const Reglage lie{0, false, false, true};
    const Reglage valeurDejaLa{0, false, false, false, true};
    // Exactly half-way between two floats, then a 1 past the 200 digits kept and zeros: rounds up.
    const std::string justeAuDela = "312.5000152587890625" + std::string(181, '0') + "1" + std::string(20, '0');
    const std::string zerosDeTete = "0." + std::string(1100, '0') + "1e1102";
    const LigneDeRegle nombres[] = {
        {"74e\n", {}, "false, fail, width 0, 1 left, 00000000"},      // no digit after the e
        {"62.500002 ", {}, "true, good, width 0, 1 left, 427a0001"},  // 8 digits: not exact in a float
        {"59.9999970 ", {}, "true, good, width 0, 1 left, 426fffff"},
        {"0.9 ", {}, "true, good, width 0, 1 left, 3f666666"},  // divided by 10, not multiplied by 0.1
        {"62.500 ", {}, "true, good, width 0, 1 left, 427a0000"},
        {justeAuDela, {}, "true, eof, width 0, 0 left, 439c4001"},
        {justeAuDela + " ", {}, "true, good, width 0, 1 left, 439c4001"},
        {zerosDeTete, {}, "true, eof, width 0, 0 left, 41200000"},  // 10, however many zeros lead
        {zerosDeTete + "\n", {}, "true, good, width 0, 1 left, 41200000"},
        {"12", finAtteinte, "false, eof fail, width 0, 2 left, 00000000"},
        {"  12", sansBlancs, "false, fail, width 0, 4 left, 00000000"},
        {"12 ", lie, "true, good, width 0, 1 left, 41400000, tie flushed 1"},
        {"12.34567 ", {}, "true, good, width 0, 1 left, 414587dd"},       // 5 decimals: divided by 10^5
        {".5000000 ", {}, "true, good, width 0, 1 left, 3f000000"},       // 7 decimals: by 10^7
        {"abs", valeurDejaLa, "false, fail, width 0, 3 left, 00000000"},  // not a number: 0, whatever was there
    };
    const LigneDeRegle mots[] = {
        {"30", {2}, "true, good, width 0, 0 left, 30"},  // the width is filled as the text ends: no end of file met
        {"3", {2}, "true, eof, width 0, 0 left, 3"},
        {"  abcdef", {3}, "true, good, width 0, 3 left, abc"},
        {"  abcdef gh", {3}, "true, good, width 0, 6 left, abc"},  // a separator in the buffer: the width still holds
        {"mot", finAtteinte, "false, eof fail, width 0, 3 left, "},
        {"  ab", sansBlancs, "false, fail, width 0, 4 left, "},
        {"ab ", lie, "true, good, width 0, 1 left, ab, tie flushed 1"},
        {"  abc def", {-1}, "true, good, width 0, 4 left, abc"},  // a negative width is none, and reset
    };
    verifierSelonLesRegles<float>(nombres);
    verifierSelonLesRegles<std::string>(mots);
}

// A float is the nearest to the number written, whatever rounding mode the
// caller set and however the text reaches lireChamp (the library's own `>>`
// follows the mode: 0.9 upward would be 3f666667, 0.1 downward 3dcccccc).
TEST(LireChamp, AuPlusProcheQuelQueSoitLArrondi)
{
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        for (const auto& [texte, bits] : {std::pair{"0.9", "3f666666"}, {"0.1", "3dcccccd"}}) {
            verifierLecture<float>(std::string(texte) + " ", {}, "true, good, width 0, 1 left, " + std::string(bits));
            verifierLecture<float>(texte, {}, "true, eof, width 0, 0 left, " + std::string(bits));
        }
        std::fesetround(FE_TONEAREST);
    }
}

// A mark that must fill its field: read whole in the buffer and across
// refills alike, a number followed by anything but a separator or the end
// fails, left where the number stopped.
TEST(LireChampComplet, CommeUneNote)
{
    const struct {
        std::string texte;
        const char* attendu;  // result, state, characters left, value's bits
    } cas[] = {
        {"80 70", "true, good, 3 left, 42a00000"},
        {"80", "true, eof, 0 left, 42a00000"},
        {" 7e1\t", "true, good, 1 left, 428c0000"},
        {"12,5 ", "false, fail, 3 left"},
        {"80%", "false, fail, 1 left"},
        {"1.5x", "false, fail, 1 left"},
    };
    for (const auto& c : cas)
        for (const std::size_t morceau : {c.texte.size() + 1, std::size_t{1}, std::size_t{2}}) {
            SCOPED_TRACE(c.texte + ", " + std::to_string(morceau) + " a refill");
            TamponMorcele tampon(c.texte, morceau);
            tampon.sgetc();  // the buffer filled: the whole text in it, or its first pieces
            std::istream flux(&tampon);
            float note = 0;
            const bool lu = lireChampComplet(flux, note);
            EXPECT_EQ(std::string(lu ? "true" : "false") + ", " + etatLisible(flux.rdstate()) + ", " +
                          std::to_string(tampon.reste().size()) + " left" + (lu ? ", " + valeurLisible(note) : ""),
                      c.attendu);
        }
}

// A buffer that throws on a read error (libstdc++'s file buffer does): as
// the standard's own extractors, the read fails with badbit, and only a
// caller who asked for exceptions on badbit gets the buffer's exception.
TEST(LireChamp, ErreurDeLecture)
{
    const struct {
        const char* texte;
        std::ios::iostate exceptions;
        bool leve;  // the buffer's exception reaches the caller
    } cas[] = {
        {"  12", std::ios::goodbit, false},
        {"12", std::ios::goodbit, false},  // the end of the number is the fault's
        {"  12", std::ios::failbit, false},
        {"  12", std::ios::badbit, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.texte) + " " + std::to_string(c.exceptions));
        for (const bool nombre : {true, false}) {
            TamponMorcele tampon(c.texte, 1, std::string(c.texte).size() - 1);
            std::istream flux(&tampon);
            flux.exceptions(c.exceptions);
            bool lu = false;
            bool leve = false;
            try {
                float note = 0;
                std::string mot;
                lu = nombre ? lireChampComplet(flux, note) : lireChamp(flux, mot);
            } catch (const std::runtime_error& erreur) {
                leve = std::string(erreur.what()) == "read error";  // the buffer's own, not the stream's
            }
            EXPECT_EQ(leve, c.leve);
            EXPECT_FALSE(lu);
            EXPECT_TRUE(flux.bad());
        }
    }
}

// Characters are read raw: whitespace and line breaks count.
TEST(LireChamp, Caractere)
{
    std::istringstream flux(" \nx");
    char c = 0;
    for (const char attendu : {' ', '\n', 'x'}) {
        EXPECT_TRUE(lireChamp(flux, c));
        EXPECT_EQ(c, attendu);
    }
    EXPECT_FALSE(lireChamp(flux, c));
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
