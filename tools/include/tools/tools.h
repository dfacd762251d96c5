// Console and file helpers shared by console programs: screen, pause,
// type-ahead flush, text file opening and field reading, keyboard prompts.
#ifndef TOOLS_TOOLS_H
#define TOOLS_TOOLS_H

#include <cstddef>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// Character count handed to std::istream::ignore; a real bound, set from the
// numeric limits before main runs and never changed.
extern int maxIgnore;

// Console
void viderTampon();
void effacerEcran();
void attendreEntree();

// Text files
// Opens `nom` for reading; says on std::cout, in one line, when it is absent
// (or a directory) or empty. True when it is open and holds something.
bool ouvrirFichier(std::ifstream& flux, std::string nom);
// Whether the next character is the end of the file (or `flux` has failed).
// Consumes nothing.
bool fichierVide(std::istream& flux);
// One field of `flux`; true when the stream has not failed (meeting the end
// of the file after the value is no failure: the next read fails).
// - int, float, std::string: exactly as `flux >> valeur` in the classic
//   locale, on every standard library, so a caller may rely on the same
//   value, state bits (eofbit, failbit), width (reset to 0) and characters
//   left in the stream as `>>` gives. Leading separators are skipped. A word
//   stops before the next separator, or after width() characters when
//   width() is positive. A number stops at the first character that cannot
//   continue it ("12,5" reads 12 and leaves ",5"); text that is no number
//   stores 0 and fails; a float beyond the range of float stores the
//   largest float of its sign and fails.
// - char: a raw `flux.get()`, not `>>`: separators and line breaks count.
//   At the end of the file it stores the end-of-file value as a char and
//   fails.
bool lireChamp(std::istream& flux, int& valeur);
bool lireChamp(std::istream& flux, float& valeur);
bool lireChamp(std::istream& flux, char& valeur);
bool lireChamp(std::istream& flux, std::string& valeur);

// Text on screen and typed. The module's text is UTF-8 on every platform; a
// name read from a file may also be in a single-byte code page (Windows'
// ANSI code page, Latin-1).
//
// At a Windows console, whose code page the module never changes:
// - what is typed reaches std::cin as UTF-8, for the prompts below and for
//   the caller's own reads alike, from the start of the program: the console
//   is read as UTF-16 and Enter gives "\n". A line that begins with Ctrl+Z
//   ends the input. (A caller that gives std::cin a buffer of its own, as
//   sync_with_stdio(false) does, gets the console's bytes until the next
//   prompt.)
// - text shows as written when it goes through ecrireTexte(std::cout, ...).
//   Bytes written to std::cout are shown in the console's code page: right
//   for ASCII only.
// Redirected to a file or a pipe, input and output are bytes, unchanged.

// Whether `texte` is valid UTF-8 (RFC 3629); ASCII is.
bool estUtf8(std::string_view texte);
// The columns `texte` takes on screen, as a Linux terminal counts them:
// valid UTF-8 counts one a character, none for a combining mark, a format
// character (a zero-width space, a direction mark; not a soft hyphen) or a
// Hangul vowel or trailing jamo, two for an East Asian wide or fullwidth one;
// any other text one a byte.
std::size_t largeurAffichee(std::string_view texte);
// Writes `texte` to `sortie`. When `sortie` is std::cout at a Windows
// console, the text goes as Unicode and shows as written: each word (a run
// without whitespace) from UTF-8 if it is valid UTF-8, otherwise from the
// system's ANSI code page. Anywhere else (a terminal, a file, a pipe) its
// bytes are written as they are. A console that takes not all of it sets
// badbit on std::cout, as a failed write does.
void ecrireTexte(std::ostream& sortie, std::string_view texte);

// Keyboard prompts: each flushes type-ahead, asks (through ecrireTexte, so a
// question may hold accents), and returns only an acceptable answer. When
// standard input has ended, no answer can come: they print
// "fin des saisies, arret du programme" and end the program (status 1).
bool lireOuiNon(std::string question);
int lireEntier(std::string invite);
float lireReel(std::string invite);
int lireEntierPositif(std::string invite);
float lireReelPositif(std::string invite);
std::string lireLigne(std::string invite);
char lireCaractere(std::string invite);
char lireCaractereParmi(std::string invite, std::string permis);
bool estParmi(char caractere, std::string ensemble);

#endif
