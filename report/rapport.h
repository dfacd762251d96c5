// The results report proper: from the open results file to the closing
// banner. The caller clears the screen, opens the file and pauses.
#ifndef REPORT_RAPPORT_H
#define REPORT_RAPPORT_H

#include <cstdint>
#include <istream>
#include <ostream>

// The results file, in the current folder.
inline const char* const fichierDesResultats = "etudiant.txt";

// Prints the table, the class average and the banner; on a malformed file,
// or one that could not be read to its end, the rows before the fault and
// then why, and returns false. The reason a read failed goes to std::cout,
// where the module says it.
bool imprimerRapport(std::istream& entree, std::ostream& sortie);

// The class average printed: the class total (the sum of the students'
// averages, in double precision) divided by their count, in double
// precision too (a count past 2^24 is no float), then rounded to a float.
float moyenneDeClasse(double totalClasse, std::int64_t nbEtudiants);

#endif
