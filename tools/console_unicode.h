// Text shown at and typed at a Windows console. A console takes and gives
// UTF-16 whatever its code page; the module's text is UTF-8 on every
// platform. Everything about the text is decided here, in code that runs and
// is tested everywhere; the console's own calls are the platform's
// (plateforme.h).
#ifndef TOOLS_CONSOLE_UNICODE_H
#define TOOLS_CONSOLE_UNICODE_H

#include <cstddef>
#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

// Showing text.

// Units handed to a console at a time: memory stays bounded whatever the
// text, and each write, 32 KiB, stays within half the heap a console's
// writes take their buffer from (WriteConsoleW's documentation: "allocated
// from a shared heap for the process that is 64 KB in size"; a larger write
// fails with ERROR_NOT_ENOUGH_MEMORY).
constexpr std::size_t unitesParEcriture = 16384;

// Appends `ansi`, text in the system's ANSI code page, as UTF-16.
using AnsiVersUtf16 = void (*)(std::string_view ansi, std::u16string& sortie);
// Writes a piece; false when it was not all taken.
using EcrireUtf16 = std::function<bool(std::u16string_view morceau)>;

// Hands `texte` to `ecrire` as UTF-16, in pieces of at most
// unitesParEcriture units, never cut inside a character; each word taken as
// ecrireTexte says (tools.h), through `ansi` where it is not UTF-8. False as
// soon as a piece was not all taken.
bool ecrireEnUtf16(std::string_view texte, AnsiVersUtf16 ansi, const EcrireUtf16& ecrire);

// Reading what is typed.

// Reads what the console gives next into `morceau`, at most `place` units:
// the rest of the line being typed, or the next line once typed (Enter gives
// "\r\n"). Returns how many units, 0 when the console gives nothing more.
using LireUtf16 = std::function<std::size_t(char16_t* morceau, std::size_t place)>;

// One console read as the system ended it: whether the call succeeded, the
// units it gave, the system's error code (GetLastError) when it gave none.
struct LectureConsole {
    bool reussie;
    std::size_t unites;
    unsigned long erreur;
};

// The units of the next console read that gives some, or 0 when the input
// has ended. Ctrl+C, in a program that handles it, ends a read with nothing
// read: nothing was typed, and it is read again, as Rust's standard library
// does. Windows says ERROR_OPERATION_ABORTED (995), whether the call fails
// or not; wine's console returns success and no error. A console gives no
// end of input so (Ctrl+Z is a character): anything else that gives nothing
// ends it.
template <class Lire>
std::size_t lireMalgreCtrlC(Lire lire)
{
    constexpr unsigned long operationAbandonnee = 995;
    for (;;) {
        const LectureConsole lu = lire();
        if (lu.unites > 0)
            return lu.unites;
        if (!lu.reussie && lu.erreur != operationAbandonnee)
            return 0;
    }
}

// What was typed, as UTF-8: the bytes a Linux terminal gives for the same
// keys. Enter's "\r\n" becomes "\n", as the C runtime's text mode makes it;
// a character beyond U+FFFF (a surrogate pair) becomes one 4-byte sequence,
// an unpaired surrogate U+FFFD; a line that begins with Ctrl+Z (U+001A) ends
// the input, as at any Windows prompt. A line of any length is read a piece
// at a time, in bounded memory.
class TamponConsoleUtf8 : public std::streambuf {
  public:
    static constexpr std::size_t unitesParLecture = 4096;

    explicit TamponConsoleUtf8(LireUtf16 lire);

    // Drops what was typed and not yet read: what this buffer holds and the
    // rest of a line read in part. Never waits: that rest is already typed.
    void ecarter();

  protected:
    int_type underflow() override;

  private:
    std::size_t lireMorceau();
    std::size_t convertir(std::size_t unites, bool suiteAttendue);
    void sauterFinDeLigne();

    LireUtf16 lire_;
    char16_t morceau_[unitesParLecture]{};
    // A unit gives at most 3 bytes (a pair, 4 for its two); a surrogate or a
    // "\r" held back from the previous piece adds one more character.
    char texte_[unitesParLecture * 3 + 8]{};
    char16_t surrogatEnAttente_ = 0;  // a high surrogate that ended a full piece
    bool retourEnAttente_ = false;    // a "\r" that ended a full piece
    bool ligneEntamee_ = false;       // the console holds the rest of a line
};

// At a Windows console, std::cin reads through a TamponConsoleUtf8 from the
// start of the program on (brancherLecteurs, tools.h). Installs it when
// standard input is a console and std::cin's buffer is another (the caller
// replaced it, as sync_with_stdio(false) does), and gives the previous one
// back when standard input is no longer a console. Elsewhere does nothing.
void brancherEntreeConsole();

#endif
