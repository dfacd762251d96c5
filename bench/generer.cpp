// Writes a results file of N students to standard output, the same for the
// same N: varied names and marks from a fixed pseudo-random sequence.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
    const char* prenoms[] = {"Alice", "Bruno", "Chloe", "David", "Emma", "Farid", "Gaelle", "Hugo"};
    const char* noms[] = {"Durand", "Petit", "Roux", "Martin", "Bernard", "Leroy", "Moreau", "Fournier"};
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
