// Console and file helpers shared by console programs: screen, pause,
// type-ahead flush, text file opening and field reading, keyboard prompts.
#ifndef TOOLS_TOOLS_H
#define TOOLS_TOOLS_H

#include <fstream>
#include <istream>
#include <string>

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
