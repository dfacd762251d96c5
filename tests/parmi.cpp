// Membership in a set of allowed characters: case-insensitive for a to z only.
#include "tools/tools.h"

#include <gtest/gtest.h>

namespace {

TEST(EstParmi, Table)
{
    const struct {
        char caractere;
        const char* ensemble;
        bool parmi;
    } cas[] = {
        {'B', "abc", true},   {'b', "ABC", true},      {'c', "abc", true},      {'d', "abc", false},
        {'a', "ABC", true},   {'A', "a", true},        {'z', "Z", true},        {'A', "", false},
        {'\0', "", false},    {' ', " ", true},        {'\n', "abc", false},    {'@', "`", false},
        {'[', "{", false},    {'1', "123", true},      {'\xe9', "\xc9", false}, {'\xe9', "\xe9", true},
        {'\xe0', "a", false}, {'\xff', "\xdf", false},
    };
    for (const auto& c : cas)
        EXPECT_EQ(estParmi(c.caractere, c.ensemble), c.parmi)
            << "'" << c.caractere << "' (" << static_cast<int>(static_cast<unsigned char>(c.caractere)) << ") in \""
            << c.ensemble << '"';
}

}  // namespace
