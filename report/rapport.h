// The results report proper: from the open results file to the closing
// banner. The caller clears the screen, opens the file and pauses.
#ifndef REPORT_RAPPORT_H
#define REPORT_RAPPORT_H

#include <istream>
#include <ostream>

// Prints the table, the class average and the banner; on a malformed file,
// the rows before the fault and then the file error message. Returns false
// in that case.
bool imprimerRapport(std::istream& entree, std::ostream& sortie);

#endif
