// Columns a name takes on screen: characters of valid UTF-8 (RFC 3629),
// combining marks none, East Asian wide and fullwidth two; any other text
// one a byte.
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <iostream>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(LargeurAffichee, Table)
{
    const struct {
        const char* texte;
        bool utf8;
        std::size_t colonnes;
    } cas[] = {
        {"", true, 0},
        {"Alice", true, 5},
        {"\x7f\x01", true, 2},              // control characters: a column each, as bytes
        {"H\xc3\xa9l\xc3\xa8ne", true, 6},  // Hélène
        // an accent in each place the check for ASCII reads, for every length
        {"\xc3\xa9", true, 1},
        {"a\xc3\xa9", true, 2},
        {"abc\xc3\xa9", true, 4},
        {"abcd\xc3\xa9", true, 5},
        {"abcdefgh\xc3\xa9", true, 9},
        {"abcdef\xc3\xa9", true, 7},
        {"abcdefg\xcc\x81", true, 7},
        {"abcdefgh\xc3\xa9ijklmnopq", true, 18},
        {"abcdefghijklmnopqrstuvwxy\xc3\xa9", true, 26},
        {"abcdefghijklmnopqrstuvwxyz", true, 26},
        {"He\xcc\x81le\xcc\x80ne", true, 6},                // the same, accents as combining marks
        {"\xcc\x81", true, 0},                              // a mark alone
        {"\xe2\x83\x9d", true, 0},                          // an enclosing mark (Me)
        {"\xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e", true, 6},  // three ideographs
        {"\xef\xbc\xa1\xef\xbd\x81", true, 4},              // fullwidth A, a
        {"\xe3\x80\xaa", true, 0},                          // U+302A, a mark that is also wide
        {"\xe4\xb6\xbf", true, 2},                          // U+4DBF: wide, as its whole block
        {"\xf0\x9f\x98\x80", true, 2},                      // U+1F600, four bytes, wide
        {"\xf0\xaf\xbf\xbd", true, 2},                      // U+2FFFD: plane 2 is wide
        {"\xf4\x8f\xbf\xbf", true, 1},                      // U+10FFFF, the last
        {"\xc2\x80\xdf\xbf", true, 2},                      // the first and last two-byte characters
        {"\xf4\x90\x80\x80", false, 4},                     // past U+10FFFF
        {"\xc0\xaf", false, 2},                             // overlong forms
        {"\xc1\xbf", false, 2},
        {"\xe0\x9f\xbf", false, 3},
        {"\xf0\x8f\xbf\xbf", false, 4},
        {"\xed\xa0\x80", false, 3},  // a surrogate
        {"\xed\xbf\xbf", false, 3},
        {"Ren\xc3", false, 4},  // cut short
        {"\xe2\x82", false, 2},
        {"\xc3\xa9\x80", false, 3},  // a stray continuation byte
        {"\xc3"
         "a",
         false, 2},                          // a missing one
        {"H\xe9l\xe8ne", false, 6},          // Hélène in Windows-1252
        {"\xf8\x88\x80\x80\x80", false, 5},  // five-byte form
        {"\xfe\xff", false, 2},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.texte)));
        EXPECT_EQ(estUtf8(c.texte), c.utf8);
        EXPECT_EQ(largeurAffichee(c.texte), c.colonnes);
    }
}

}  // namespace

#ifdef _WIN32
// A console that takes nothing (here, one opened for reading only): what was
// not written is said by the stream's state, as for a full disk. Needs a
// console: run under a terminal.
TEST(EcrireTexteWindows, ConsoleQuiRefuse)
{
    const HANDLE lecture =
        CreateFileA("CONOUT$", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    if (lecture == INVALID_HANDLE_VALUE || !GetConsoleMode(lecture, &mode))
        GTEST_SKIP() << "no console: run under a terminal";
    const HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, lecture);
    ecrireTexte(std::cout, "H\xc3\xa9l\xc3\xa8ne\n");
    const bool refuse = std::cout.bad();
    SetStdHandle(STD_OUTPUT_HANDLE, sortie);
    std::cout.clear();
    CloseHandle(lecture);
    EXPECT_TRUE(refuse);
}
#endif
