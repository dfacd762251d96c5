// The shapes the report can print, for checking its output on any input.
#ifndef FUZZ_FORME_H
#define FUZZ_FORME_H

#include <string>

// Empty when `sortie` is a shape the report can print (with `reussi` telling
// whether it got to the class average); otherwise what is wrong, and where.
std::string defautDeForme(const std::string& sortie, bool reussi);

#endif
