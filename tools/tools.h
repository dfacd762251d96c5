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

#endif
