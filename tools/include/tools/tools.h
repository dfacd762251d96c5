// Console and file helpers shared by console programs: screen, pause,
// type-ahead flush, text file opening and field reading, text on screen and
// typed, keyboard prompts. Each function's contract is written here, once.
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
// Drops what was typed or sent ahead and not yet read, at every level that
// holds it (std::cin's buffer, the C runtime's, a terminal's or console's, a
// pipe's), or skips a redirected file to its end; clears std::cin's state.
// Never waits for input.
void viderTampon();
// 25 line breaks on std::cout, nothing else.
void effacerEcran();
// "Appuyer sur entrer pour continuer ... ", then viderTampon, then waits for
// Enter (returns at once when standard input has ended).
void attendreEntree();

// Text files
// Opens `nom` for reading and reads its first character. When it cannot,
// says why on std::cout in one line, through ecrireTexte, and returns false:
// - "le fichier "NOM" est absent": there is no such file (or it is a
//   directory);
// - "le fichier "NOM" est ouvert dans un autre programme": on Windows,
//   another program holds it (opened sharing it with none, or a part of it
//   locked);
// - "le fichier "NOM" ne peut pas etre lu": it is there, but the system
//   refuses to open or read it (permission, a read error);
// - "le fichier "NOM" est vide": it holds nothing.
// An open or read that a signal interrupted is made again. A stream already
// open opens nothing: "absent". True when it is open and holds something.
bool ouvrirFichier(std::ifstream& flux, std::string nom);
// After a read of `flux`, the file `nom` opened by ouvrirFichier, has
// failed: when the file could not be read (the stream's badbit, as a read
// error leaves it), says why on std::cout with the message ouvrirFichier
// would give ("ne peut pas etre lu", or "est ouvert dans un autre
// programme" for a part locked by another program) and returns true; false
// when the failure was the text's own (a field of the wrong form, the end
// of the file). With libc++, whose file buffer takes a read error for the
// end of the file, a file that cannot be read to its end reads as one that
// ends there: nothing can tell them apart.
bool signalerLectureImpossible(const std::istream& flux, std::string nom);
// Whether the next character is the end of the file (or `flux` has failed).
// Consumes nothing.
bool fichierVide(std::istream& flux);
// One field of `flux`; true when the stream has not failed (meeting the end
// of the file after the value is no failure: the next read fails). A read
// error sets badbit, as the standard's own extractors do: an exception that
// the stream buffer throws (libstdc++'s file buffer does on a read error)
// reaches the caller only when it asked for exceptions on badbit.
// - int, float, std::string: the results of `flux >> valeur` as libstdc++
//   gives them in the classic locale, whatever the standard library the
//   program is built with (libc++'s own `>>` differs: it takes hexadecimal
//   digits into a float, and fails on values too small for one). The same
//   value, state bits (eofbit, failbit) and characters left in the stream.
//   Leading separators (space, \t, \n, \v, \f, \r) are skipped unless
//   skipws is off.
//   - A word stops before the next separator, or after width() characters
//     when width() is positive; it resets the width to 0.
//   - A number leaves the width as it is. It stops at the first character
//     that cannot continue it ("12,5" reads 12 and leaves ",5"); text that
//     is no number stores 0 and fails. A float is the nearest float to the
//     number written, whatever the floating-point rounding mode (libstdc++'s
//     own `>>` follows the mode: the reference is taken in the default one,
//     to nearest); beyond the range of float it stores the largest float of
//     its sign and fails.
// - char: a raw `flux.get()`, not `>>`: separators and line breaks count.
//   At the end of the file it stores the end-of-file value as a char and
//   fails.
bool lireChamp(std::istream& flux, int& valeur);
bool lireChamp(std::istream& flux, float& valeur);
bool lireChamp(std::istream& flux, char& valeur);
bool lireChamp(std::istream& flux, std::string& valeur);
// A float that fills its whole field: lireChamp, then the next character
// must be a separator or the end of the file. "12,5" or "80%" fails
// (failbit), the stream left after the number, as a data file's field of
// the wrong form.
bool lireChampComplet(std::istream& flux, float& valeur);

// Text on screen and typed. The module's text is UTF-8 on every platform.
// Text from elsewhere, such as a name read from a file, may also be in the
// system's single-byte code page (Windows' ANSI code page, Windows-1252 on a
// French PC; Latin-1): a word (a run without separators) is taken as UTF-8
// when it is valid UTF-8 (RFC 3629), otherwise as one character a byte in
// that code page.
//
// At a Windows console, whose code page the module never changes:
// - what is typed reaches std::cin as UTF-8, in every program that includes
//   this header, from the start of main, whatever else it calls: the
//   console is read as UTF-16 and Enter gives "\n". A line that begins with
//   Ctrl+Z ends the input. (A caller that gives std::cin a buffer of its own,
//   as sync_with_stdio(false) does, gets the console's bytes until the next
//   viderTampon.)
// - text shows as written when it goes through ecrireTexte(std::cout, ...).
//   Bytes written to std::cout are shown in the console's code page: right
//   for ASCII only.
// Redirected to a file or a pipe, input and output are bytes, unchanged.

// Whether `texte` is valid UTF-8; ASCII is.
bool estUtf8(std::string_view texte);
// The columns `texte` takes on screen, as a Linux terminal counts them,
// taken whole as one word: valid UTF-8 counts one a character, none for a
// combining mark, a format character (a zero-width space, a direction mark;
// not a soft hyphen) or a Hangul vowel or trailing jamo, two for an East
// Asian wide or fullwidth one; any other text one a byte.
std::size_t largeurAffichee(std::string_view texte);
// Writes `texte` to `sortie`. When `sortie` is std::cout and standard output
// is a Windows console, the text goes to the console as Unicode, each word
// taken as said above, and shows as written; anywhere else (another stream,
// a terminal, a file, a pipe) its bytes are written as they are. A console
// that takes not all of it sets badbit on std::cout, as a failed write does.
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

// Standard input and output. From the start of main, std::cin reads C's
// stdin a character at a time, as the standard library's own synchronised
// buffer does (C stdio and std::cin may be mixed), but for a read that a
// signal interrupted (EINTR, under a handler installed without SA_RESTART):
// it is made again, where C stdio would end the input. Output is the
// standard library's: through C stdio, which drops what it held when a
// write is interrupted, and fails the stream; the module cannot retry it. A
// program that handles signals so should call
// std::ios::sync_with_stdio(false) before its first input or output:
// libstdc++'s streams then retry an interrupted read or write themselves
// (libc++ ignores the call).
//
// What makes the promises above on std::cin hold for every program that
// includes this header: each of its translation units calls
// brancherLecteurs while it is initialised, before main, as <iostream> does
// for the standard streams; the first call installs the readers. (A static
// library gives a program only the parts it refers to, so a start-up step
// inside the library would run for some programs and not others.) Not for
// callers.
bool brancherLecteurs();
// NOLINTNEXTLINE(bugprone-dynamic-static-initializers): one per translation unit, on purpose
[[maybe_unused]] static const bool lecteursBranches = brancherLecteurs();

#endif
