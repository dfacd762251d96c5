// Writes a results file of N students to standard output, the same for the
// same N: varied names and marks from a fixed pseudo-random sequence.
// generer N accents: every name has accents (UTF-8).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t graine = 12345;

std::uint32_t suivant()
{
    graine = graine * 1664525U + 1013904223U;
    return graine >> 8;
}

}  // namespace

int main(int argc, char** argv)
{
    const long nombre = argc > 1 ? std::atol(argv[1]) : 1000;
    const bool accents = argc > 2 && std::strcmp(argv[2], "accents") == 0;
    const char* const simples[2][8] = {{"Alice", "Bruno", "Chloe", "David", "Emma", "Farid", "Gaelle", "Hugo"},
                                       {"Durand", "Petit", "Roux", "Martin", "Bernard", "Leroy", "Moreau", "Fournier"}};
    const char* const accentues[2][8] = {
        {"Hélène", "Zoé", "François", "Loïc", "Noël", "Jérôme", "Maëlle", "Anaïs"},
        {"Lefèvre", "Noël", "Müller", "Bénédicte", "Gérard", "Dupré", "Lemaître", "Féré"}};  // UTF-8
    const char* const* prenoms = accents ? accentues[0] : simples[0];
    const char* const* noms = accents ? accentues[1] : simples[1];
    std::printf("prenom nom notes\n");
    for (long i = 0; i < nombre; ++i) {
        std::printf("%s%ld %s", prenoms[suivant() % 8], i % 1000, noms[suivant() % 8]);
        for (int note = 0; note < 5; ++note) {
            const std::uint32_t dixiemes = suivant() % 1001;  // 0.0 to 100.0
            std::printf(" %u.%u", dixiemes / 10, dixiemes % 10);
        }
        std::printf("\n");
    }
    return 0;
}
