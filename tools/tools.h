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
bool ouvrirFichier(std::ifstream& flux, std::string nom);
bool fichierVide(std::istream& flux);
bool lireChamp(std::istream& flux, int& valeur);
bool lireChamp(std::istream& flux, float& valeur);
bool lireChamp(std::istream& flux, char& valeur);
bool lireChamp(std::istream& flux, std::string& valeur);

// Text on screen. A name read from a file may be in UTF-8 or in a
// single-byte code page (Windows' ANSI code page, Latin-1).
// Whether `texte` is valid UTF-8 (RFC 3629); ASCII is.
bool estUtf8(std::string_view texte);
// The columns `texte` takes on screen: valid UTF-8 counts one a character,
// none for a combining mark, two for an East Asian wide or fullwidth one;
// any other text one a byte.
std::size_t largeurAffichee(std::string_view texte);
// Writes `texte` to `sortie`. When `sortie` is std::cout at a Windows
// console, the text goes as Unicode and shows as written whatever the
// console's code page: each word (a run without whitespace) from UTF-8 if
// it is valid UTF-8, otherwise from the system's ANSI code page. Anywhere
// else (a terminal, a file, a pipe) its bytes are written as they are.
void ecrireTexte(std::ostream& sortie, std::string_view texte);

// Keyboard prompts: each flushes type-ahead, asks, and returns only an
// acceptable answer. When standard input has ended, no answer can come: they
// print "fin des saisies, arret du programme" and end the program (status 1).
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
