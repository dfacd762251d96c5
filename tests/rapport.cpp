// The report's own arithmetic, where an end-to-end case would need a file
// too large to keep.
#include "rapport.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Past 2^24 students, a count taken as a float is rounded: 16,777,217
// students at 60.5 would average 60.5000036 and print 61.
TEST(MoyenneDeClasse, Table)
{
    const struct {
        double totalClasse;
        std::int64_t nbEtudiants;
        float moyenne;
    } cas[] = {
        {60.5 * 16777217, 16777217, 60.5F},
        {60.5 * 33554433, 33554433, 60.5F},
        {double(75.9F) + 51 + double(97.8F), 3, 74.9F},  // the example's three students
    };
    for (const auto& c : cas)
        EXPECT_EQ(moyenneDeClasse(c.totalClasse, c.nbEtudiants), c.moyenne) << c.nbEtudiants;
}

}  // namespace
