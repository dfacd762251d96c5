// Console and file helpers shared by console programs: screen, pause,
// type-ahead flush, text file opening and field reading, text on screen and
// typed, keyboard prompts. Each function's contract is written here, once.
// C++17, for g++ and clang (with libstdc++ or libc++), on Linux and on
// Windows (mingw-w64, with msvcrt or the Universal CRT).
#ifndef TOOLS_TOOLS_H
#define TOOLS_TOOLS_H

#if __cplusplus < 201703L
#error "tools/tools.h needs C++17 or later: compile with -std=c++17 (CMake and pkg-config say so)"
#else  // nothing more to read: that one message, and no other

#include <cstddef>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// Character count handed to std::istream::ignore by viderTampon and
// attendreEntree: a real bound, the largest int, set before main runs. The
// module never changes it; a caller that does changes how much those two
// discard of a line.
extern int maxIgnore;

// Console
// Drops what was typed or sent ahead and not yet read, at every level that
// holds it: std::cin's buffer, the C runtime's (glibc's, msvcrt's or the
// Universal CRT's), a terminal's or a console's queue, a pipe's (what it
// holds now; where the system cannot count that, what can be read at once,
// up to 64 KiB). A redirected file is skipped to its end, so that nothing
// of it is read after. Clears std::cin's state. Never waits for input.
void viderTampon();
// 25 line breaks on std::cout, nothing else.
void effacerEcran();
// "Appuyer sur entrer pour continuer ... ", then viderTampon, then waits for
// Enter (returns at once when standard input has ended).
void attendreEntree();

// Text files
// Opens `nom` for reading, in text mode (on Windows, the C runtime's: "\r\n"
// reads as "\n", and Ctrl+Z ends the file), and reads its first character.
// When it cannot, says why on std::cout in one line, through ecrireTexte (a
// name with accents shows as written at a Windows console too), and
// returns false:
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

// Keyboard prompts. Each drops type-ahead (viderTampon) and asks: the
// question through ecrireTexte (so it may hold accents), then a line end,
// std::cout flushed; and returns only an answer of the form it asks for.
// What follows the answer on its line stays for the next reader, and the
// next prompt's flush drops it. Standard input redirected from a file gives
// no answer: the first flush skips the file to its end. From a pipe, only
// what is written after the question has appeared is read. When standard
// input has ended (a closed pipe, the end of a file, Ctrl+D at a Linux
// terminal, Ctrl+Z then Enter at a Windows console), no answer can come:
// each prints "fin des saisies, arret du programme", a line end, and ends
// the program with exit status 1.
//
// One character at a time, read raw (spaces and line ends count), upper-
// cased as in the classic locale: O gives true, N false; any other asks
// again, without a flush in between. So each character before the first O
// or N of what was typed, the line end included, costs one more question:
// "bonjour" asks once more (its b) and gives true at its o; "xyz" asks four
// more times (x, y, z, the line end) and waits.
bool lireOuiNon(std::string question);
// A number read as lireChamp reads one, leading separators skipped (so an
// empty line waits for more); reading stops at the first character that
// cannot continue it: "12,5" gives 12, "42abc" 42. No number at the start
// (or one beyond the type's range) asks again, from a new flush.
int lireEntier(std::string invite);
float lireReel(std::string invite);
// lireEntier until the number is above 0; a refused one is asked again,
// with no message.
int lireEntierPositif(std::string invite);
// lireReel until the number is above 0; after a refused one, prints
// " vous devez entrer une valeur positive et non nulle " (leading and
// trailing space, no line end): the question follows on the same line.
float lireReelPositif(std::string invite);
// A whole line, its line end not kept (a "\r" before it, as a Windows file
// read on Linux has, is kept). An empty line asks again: a line end, the
// question and a line end once more. A line of spaces is an answer.
std::string lireLigne(std::string invite);
// The next character, raw: Enter alone gives '\n'; a character of several
// bytes in UTF-8 gives its first byte (the next flush drops the others).
char lireCaractere(std::string invite);
// lireCaractere until estParmi(c, permis); the character as typed.
char lireCaractereParmi(std::string invite, std::string permis);
// Whether `caractere` is one of `ensemble`, letters compared without case
// as in the classic locale: only a to z match A to Z; any other byte,
// accented letters' bytes included, matches only itself. Nothing is in an
// empty set.
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

#endif  // C++17

#endif
