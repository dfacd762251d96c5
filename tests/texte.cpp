// Text on screen and typed: the columns a name takes (characters of valid
// UTF-8, RFC 3629, combining marks none, East Asian wide and fullwidth two;
// any other text one a byte); text shown at a Windows console, as UTF-16
// pieces; what is typed at one, read through the console reader.
#include "console_unicode.h"
#include "largeurs_unicode.h"
#include "tools/tools.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>
#include <iostream>
#include <sstream>
#include <vector>
#ifdef _WIN32
#include <filesystem>
#include <utility>
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
        {"HAJ\212EK", false, 6},             // HAJŠEK in Windows-1252: its last bytes in the second of two reads
        {"\xf8\x88\x80\x80\x80", false, 5},  // five-byte form
        // ASCII and letters below U+0300, 8 bytes at a time: each edge of a word
        {"abcdefg\xc3\xa9", true, 8},              // a letter across two words
        {"\xc3\251bcdefghijklmn\303", false, 16},  // a lead byte last, then nothing
        {"abcdefgh\x80", false, 9},                // a continuation byte first in its word
        {"\xc3\xc3\xa9", false, 3},                // two lead bytes
        {"\xcb\xbf", true, 1},                     // U+02FF, the last such letter
        {"\xcc\x80", true, 0},                     // U+0300, the first mark
        {"GR\xd6\337E", false, 5},                 // GRÖßE in Windows-1252: Ö and ß lead no character
        {"a\xa9\xc3"
         "b",
         false, 4},  // a©Ãb in Windows-1252: a 32-bit word, each byte in its place
        {"\xfe\xff", false, 2},
        // format characters take none, as a Linux terminal counts them: pasted
        // from a web page inside a name, they must not shift its row
        {"Zo\xe2\x80\x8b\xc3\xa9", true, 3},                // U+200B zero-width space
        {"\xe2\x80\216Alice", true, 5},                     // U+200E left-to-right mark
        {"Jean\xe2\x81\xa0Paul", true, 8},                  // U+2060 word joiner
        {"Zo\xef\xbb\xbf\xc3\xa9", true, 3},                // U+FEFF inside a name
        {"\xe1\x84\x80\xe1\x85\xa1\xe1\x86\xa8", true, 2},  // U+1100 U+1161 U+11A8: one syllable
        {"\xed\x9e\xb0\xed\x9f\xbb", true, 0},              // U+D7B0, U+D7FB: vowel, trailing jamo
        {"Marie\xc2\255Claire", true, 12},                  // U+00AD soft hyphen keeps its column
        {"\xd8\x80\xdb\x9d", true, 2},                      // U+0600, U+06DD: prepended marks keep theirs
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.texte)));
        EXPECT_EQ(estUtf8(c.texte), c.utf8);
        EXPECT_EQ(largeurAffichee(c.texte), c.colonnes);
    }
}

#if defined(__GLIBC__)
// Every range of the generated width table, at its first and last character
// and at the one after it, counts as a Linux terminal counts it: glibc's
// wcwidth, a count of its own. Passed over: what glibc 2.36 does not know
// (Unicode 15's new characters, unassigned ones), and U+3248 and U+4DC0,
// which it counts two columns where Unicode's EastAsianWidth.txt says
// ambiguous and neutral.
TEST(LargeurAffichee, CommeUnTerminalLinux)
{
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)  // as under qemu-user, whose target root has no locales
        GTEST_SKIP() << "no C.UTF-8 locale here: glibc's wcwidth cannot be asked";
    for (const auto& plage : plagesDeLargeur)
        for (const char32_t point : {plage.premier, plage.dernier, char32_t(plage.dernier + 1)}) {
            const int terminal = wcwidth(static_cast<wchar_t>(point));
            if (terminal < 0 || point == 0x3248 || point == 0x4DC0)
                continue;
            char texte[4];
            const std::size_t taille = encoderUtf8(point, texte);
            EXPECT_EQ(largeurAffichee(std::string_view(texte, taille)), static_cast<std::size_t>(terminal))
                << "U+" << std::hex << static_cast<unsigned>(point);
        }
    std::setlocale(LC_CTYPE, "C");
}
#endif

// Text shown at a Windows console, as UTF-16 pieces: each word from UTF-8
// when it is valid UTF-8, otherwise from the ANSI code page (here Latin-1,
// where each byte is the character of that number, as é is in
// Windows-1252). No piece is longer than a console write takes, and none
// ends inside a character.
TEST(EcrireEnUtf16, MotParMot)
{
    const auto latin1 = [](std::string_view ansi, std::u16string& sortie) {
        for (const char c : ansi)
            sortie.push_back(static_cast<unsigned char>(c));
    };
    const std::string a(unitesParEcriture - 1, 'a');
    const std::u16string ua(a.begin(), a.end());
    const struct {
        std::string texte;
        std::u16string attendu;
    } cas[] = {
        {"", u""},
        {"H\xc3\xa9l\xc3\xa8ne Zo\xc3\xa9\n", u"H\u00e9l\u00e8ne Zo\u00e9\n"},          // UTF-8 words
        {"H\xe9l\xe8ne\tZo\xe9\r\n", u"H\u00e9l\u00e8ne\tZo\u00e9\r\n"},                // ANSI words
        {"H\xe9l\xe8ne Lef\xc3\xa8vre \xc3", u"H\u00e9l\u00e8ne Lef\u00e8vre \u00c3"},  // mixed line
        {"\xf0\x9f\x98\x80\v\f", u"\U0001F600\v\f"},                                    // beyond U+FFFF
        {"\xef\xbf\xbf\xf0\x90\x80\x80", u"\uFFFF\U00010000"},  // the last character of one unit, the first of two
        {a + "\xc3\xa9", ua + u"\u00e9"},                       // a character whose bytes straddle a piece
        {a + "\xf0\x9f\x98\x80", ua + u"\U0001F600"},           // a pair that would straddle one
        {std::string(unitesParEcriture + 5, '\xe9'), std::u16string(unitesParEcriture + 5, u'\u00e9')},
        // a piece of ANSI after some text: room made for all of it
        {"a " + std::string(unitesParEcriture, '\xe9'), u"a " + std::u16string(unitesParEcriture, u'\u00e9')},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte.substr(0, 40));
        std::u16string ecrit;
        const bool pris = ecrireEnUtf16(c.texte, latin1, [&ecrit](std::u16string_view morceau) {
            EXPECT_LE(morceau.size(), unitesParEcriture);
            EXPECT_FALSE(morceau.back() >= 0xD800 && morceau.back() <= 0xDBFF) << "a pair cut in two";
            ecrit += morceau;
            return true;
        });
        EXPECT_TRUE(pris);
        EXPECT_TRUE(ecrit == c.attendu);
    }
    // A piece the console did not take fails the whole, wherever it falls.
    for (const std::string& texte :
         {std::string("abc"), std::string(unitesParEcriture + 5, '\xe9'), a + "\xc3\xa9 b"}) {
        int ecrits = 0;
        EXPECT_FALSE(ecrireEnUtf16(texte, latin1, [&ecrits](std::u16string_view) { return ecrits++ > 0; }))
            << texte.size();
    }
}

// Typed at a Windows console: the lines as it gives them (a read takes at
// most the rest of the line being read), read through the reader to the end
// of what was typed; "|" marks each end of input. `ecarter` > 0: that many
// characters are read, then viderTampon drops what was typed, std::cin
// reading through the reader as at a console.
TEST(TamponConsoleUtf8, CommeUnTerminalLinux)
{
    const std::size_t piece = TamponConsoleUtf8::unitesParLecture;
    const std::u16string longue(2 * piece + 808, u'a');  // three pieces
    const std::u16string presque(piece - 1, u'a');
    const std::u16string exacte(piece - 2, u'a');  // with its "\r\n", one piece exactly
    std::string euros;                             // three bytes a unit in UTF-8
    for (std::size_t i = 0; i < piece + 10; ++i)
        euros += "\xe2\x82\xac";
    const struct {
        std::vector<std::u16string> lignes;
        int ecarter;
        std::string lu;
    } cas[] = {
        {{u"H\u00e9l\u00e8ne \u20ac\r\n"}, 0, "H\xc3\xa9l\xc3\xa8ne \xe2\x82\xac\n|"},
        {{u"\xD83D\xDE00\r\n"}, 0, "\xf0\x9f\x98\x80\n|"},  // a pair: one character
        // each length's first and last characters, and the pairs' first and last
        {{u"\x7f\x80\u07ff\u0800\uffff\xD800\xDC00\xDBFF\xDFFF\r\n"},
         0,
         "\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf\n|"},
        {{std::u16string(piece + 10, u'\u20ac') + u"\r\n"}, 0, euros + "\n|"},
        {{u"\xD83D\x61\r\n"}, 0, "\xef\xbf\275a\n|"},  // unpaired high surrogate
        {{u"a\xD83D\r\n"}, 0, "a\xef\xbf\xbd\n|"},
        {{u"\xDE00\x62\r\n"}, 0, "\xef\xbf\275b\n|"},  // unpaired low one
        {{u"\r\n", u"ab\r\n"}, 0, "\nab\n|"},          // an empty line
        {{u"a\rb\r\n"}, 0, "a\rb\n|"},                 // a lone \r stays
        {{u"\r"}, 0, "\r|"},                           // Enter with the console's line input off
        {{u"ab\r"}, 0, "ab\r|"},
        {{longue + u"\r\n"}, 0, std::string(longue.size(), 'a') + "\n|"},
        {{presque + u"\xD83D\xDE00\r\n"}, 0, std::string(piece - 1, 'a') + "\xf0\x9f\x98\x80\n|"},
        // a pair split over two pieces, then a piece whose every unit takes 3 bytes
        {{presque + u"\xD83D", u"\xDE00" + std::u16string(piece - 1, u'\u20ac') + u"\r\n"},
         0,
         std::string(piece - 1, 'a') + "\xf0\x9f\x98\x80" + euros.substr(0, 3 * (piece - 1)) + "\n|"},
        {{presque + u"\r\n"}, 0, std::string(piece - 1, 'a') + "\n|"},
        {{u"\x1a\r\n", u"apres\r\n"}, 0, "|apres\n|"},  // Ctrl+Z, Enter: the end of input
        {{u"a\x1a\r\n"}, 0, "a\x1a\n|"},                // inside a line, a character
        {{u"\x1a" + longue + u"\r\n", u"c\r\n"}, 0, "|c\n|"},
        {{exacte + u"\r\n", u"\x1a\r\n"}, 0, std::string(exacte.size(), 'a') + "\n|"},  // a whole line
        {{u"ab\r\n", u"cd\r\n"}, 1, "cd\n|"},                                           // the rest of a line dropped
        {{longue + u"\r\n", u"xyz\r\n"}, 1, "xyz\n|"},
        {{presque + u"\xD83D\xDE00\r\n", u"xyz\r\n"}, 1, "xyz\n|"},
        {{presque + u"\r\n", u"xyz\r\n"}, 1, "xyz\n|"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.lu.substr(0, 40)));
        std::size_t ligne = 0;
        std::size_t dansLaLigne = 0;
        TamponConsoleUtf8 tampon([&](char16_t* morceau, std::size_t place) {
            if (ligne == c.lignes.size())
                return std::size_t{0};
            const std::u16string& texte = c.lignes[ligne];
            const std::size_t unites = std::min(place, texte.size() - dansLaLigne);
            std::copy_n(texte.begin() + static_cast<std::ptrdiff_t>(dansLaLigne), unites, morceau);
            dansLaLigne += unites;
            if (dansLaLigne == texte.size()) {
                ++ligne;
                dansLaLigne = 0;
            }
            return unites;
        });
        std::string lu;
        for (int i = 0; i < c.ecarter; ++i)
            tampon.sbumpc();
        if (c.ecarter > 0) {
            std::streambuf* const entree = std::cin.rdbuf(&tampon);
            viderTampon();
            std::cin.rdbuf(entree);
        }
        do {
            for (int octet = tampon.sbumpc(); octet != EOF; octet = tampon.sbumpc())
                lu += static_cast<char>(octet);
            lu += '|';
        } while (ligne < c.lignes.size());
        EXPECT_EQ(lu, c.lu);
    }
}

// A console read that Ctrl+C ended gave nothing and is made again: on
// Windows it says ERROR_OPERATION_ABORTED (995), failed or not; wine's
// succeeds and says nothing. Any other read that gives nothing ends the
// input.
TEST(LireMalgreCtrlC, Table)
{
    const struct {
        std::vector<LectureConsole> lectures;
        std::size_t unites;
    } cas[] = {
        {{{true, 3, 0}}, 3},
        {{{true, 0, 995}, {true, 3, 0}}, 3},
        {{{false, 0, 995}, {true, 2, 0}}, 2},
        {{{true, 0, 0}, {false, 0, 995}, {true, 1, 0}}, 1},
        {{{false, 0, 6}}, 0},    // ERROR_INVALID_HANDLE
        {{{false, 0, 109}}, 0},  // ERROR_BROKEN_PIPE
    };
    for (const auto& c : cas) {
        std::size_t lues = 0;
        EXPECT_EQ(lireMalgreCtrlC([&] { return c.lectures.at(lues++); }), c.unites);
        EXPECT_EQ(lues, c.lectures.size());
    }
}

}  // namespace

#ifdef _WIN32
// Where standard output is a console that takes nothing (one opened for
// reading only), what was not written is said by the stream's state, as for
// a full disk. Where it is a file, even with a console as standard input
// (`rapport-notes.exe > sortie.txt`), the text goes to std::cout as bytes.
// Needs a console: run under a terminal.
TEST(EcrireTexteWindows, ConsoleQuiRefuseEtFichier)
{
    const HANDLE lecture =
        CreateFileA("CONOUT$", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    if (lecture == INVALID_HANDLE_VALUE || !GetConsoleMode(lecture, &mode))
        GTEST_SKIP() << "no console: run under a terminal";
    const auto chemin = std::filesystem::temp_directory_path() / "ecrire-texte.txt";
    const HANDLE fichier =
        CreateFileW(chemin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(fichier, INVALID_HANDLE_VALUE);
    const HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    for (const auto& [poignee, refuse] : {std::pair{lecture, true}, {fichier, false}}) {
        SetStdHandle(STD_OUTPUT_HANDLE, poignee);
        ecrireTexte(std::cout, "H\xc3\xa9l\xc3\xa8ne\n");
        const bool perdu = std::cout.bad();
        SetStdHandle(STD_OUTPUT_HANDLE, sortie);
        std::cout.clear();
        EXPECT_EQ(perdu, refuse);
    }
    CloseHandle(lecture);
    CloseHandle(fichier);
    std::ostringstream autreFlux;  // any other stream gets the bytes, at a console too
    ecrireTexte(autreFlux, "H\xc3\xa9l\xc3\xa8ne\n");
    EXPECT_EQ(autreFlux.str(), "H\xc3\xa9l\xc3\xa8ne\n");
}
#endif
