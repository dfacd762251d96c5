// The type-ahead flush on Windows, at each level that holds what was typed
// or sent ahead: the C runtime's buffer behind std::cin, a console's input
// buffer, a pipe, a file. Standard input is swapped for each case.
#include "plateforme.h"
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <io.h>
#include <iostream>
#include <iterator>
#include <string>
#include <windows.h>

namespace {

// Makes `entree` the process's standard input, for the system and for the
// C runtime alike.
void brancherEntree(HANDLE entree)
{
    SetStdHandle(STD_INPUT_HANDLE, entree);
    const int descripteur = _open_osfhandle(reinterpret_cast<intptr_t>(entree), _O_RDONLY | _O_TEXT);
    ASSERT_GE(descripteur, 0);
    _dup2(descripteur, 0);
    std::clearerr(stdin);
    std::cin.clear();
}

void ecrire(HANDLE tube, const std::string& texte)
{
    DWORD ecrits = 0;
    ASSERT_TRUE(WriteFile(tube, texte.data(), static_cast<DWORD>(texte.size()), &ecrits, nullptr));
}

// Keys as a person types them: a key down and up for each character (each
// UTF-16 unit, as the console makes of a character beyond U+FFFF).
void taper(HANDLE console, const std::wstring& texte)
{
    for (const wchar_t c : texte) {
        INPUT_RECORD touche[2] = {};
        for (int i = 0; i < 2; ++i) {
            touche[i].EventType = KEY_EVENT;
            touche[i].Event.KeyEvent.bKeyDown = i == 0;
            touche[i].Event.KeyEvent.wRepeatCount = 1;
            touche[i].Event.KeyEvent.uChar.UnicodeChar = c;
            touche[i].Event.KeyEvent.wVirtualKeyCode = c == L'\r' ? VK_RETURN : 0;
        }
        DWORD ecrites = 0;
        ASSERT_TRUE(WriteConsoleInputW(console, touche, 2, &ecrites));
    }
}

// The keys waiting in a console that would type a character. Wine's console
// on a Linux terminal now and then queues a key of its own that types none
// (Ctrl+Shift+2, no character): not what a person typed ahead.
std::size_t caracteresEnAttente(HANDLE console)
{
    INPUT_RECORD evenements[64];
    constexpr DWORD place = std::size(evenements);
    DWORD lus = 0;
    if (!PeekConsoleInputW(console, evenements, place, &lus))
        return place;
    std::size_t caracteres = 0;
    for (DWORD i = 0; i < lus; ++i) {
        const auto& evenement = evenements[i];
        caracteres += evenement.EventType == KEY_EVENT && evenement.Event.KeyEvent.bKeyDown &&
                      evenement.Event.KeyEvent.uChar.UnicodeChar != 0;
    }
    return caracteres;
}

HANDLE ouvrirConsole()
{
    const HANDLE console = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    return console != INVALID_HANDLE_VALUE && GetConsoleMode(console, &mode) ? console : INVALID_HANDLE_VALUE;
}

// The C runtime's buffer is emptied by the runtime's own means, msvcrt's
// fflush or the Universal CRT's pointers (under which fflush keeps it): the
// runtime that holds stdin is told apart, as the build that links it says
// (RAPPORT_UCRT: the windows-ucrt preset). The tests below then show the
// flush under each.
TEST(ViderTamponWindows, RuntimeReconnu)
{
    EXPECT_EQ(runtimeUniversel(), RAPPORT_UCRT != 0);
}

TEST(ViderTamponWindows, Tube)
{
    HANDLE lecture = nullptr;
    HANDLE ecriture = nullptr;
    ASSERT_TRUE(CreatePipe(&lecture, &ecriture, nullptr, 0));
    brancherEntree(lecture);
    EXPECT_FALSE(entreeRepositionnable());  // the C runtime's seek on a pipe is undefined, not refused
    ecrire(ecriture, "abc\nxyz\n");
    EXPECT_EQ(std::cin.get(), 'a');  // the C runtime now holds the rest
    ecrire(ecriture, "encore\n");    // and the pipe this
    viderTampon();
    viderTampon();  // an empty pipe: no wait
    EXPECT_TRUE(std::cin.good());
    ecrire(ecriture, "42\n");
    int n = 0;
    EXPECT_TRUE(std::cin >> n);
    EXPECT_EQ(n, 42);
    CloseHandle(ecriture);
}

// Skipped to its end, after a read that went well or after the caller's own
// failed `std::cin >>`; longer than the C runtime's buffer, so that dropping
// that buffer alone would leave lines to read.
TEST(ViderTamponWindows, Fichier)
{
    const auto chemin = std::filesystem::temp_directory_path() / "vider-tampon.txt";
    std::ofstream(chemin) << "abc\n" << std::string(10000, '1') << "\n12\n";
    for (const bool echec : {false, true}) {
        SCOPED_TRACE(echec ? "after a failed read" : "after a read");
        HANDLE fichier = CreateFileW(chemin.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(fichier, INVALID_HANDLE_VALUE);
        brancherEntree(fichier);
        EXPECT_TRUE(entreeRepositionnable());
        if (echec) {
            int n = 0;
            EXPECT_FALSE(std::cin >> n);
        } else {
            EXPECT_EQ(std::cin.get(), 'a');
        }
        viderTampon();
        EXPECT_TRUE(std::cin.good());
        EXPECT_EQ(std::cin.get(), std::char_traits<char>::eof());
        std::cin.clear();
    }
}

// Needs a console: run under a terminal (wine presents one as a console).
TEST(ViderTamponWindows, Console)
{
    const HANDLE console = ouvrirConsole();
    if (console == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no console: run under a terminal";
    brancherEntree(console);
    EXPECT_FALSE(entreeRepositionnable());  // nor on a console: a seek that "succeeds" would wait for a line
    viderTampon();
    taper(console, L"abc\r");
    EXPECT_EQ(std::cin.get(), 'a');  // a line read: "bc" waits in the console reader
    taper(console, L"xyz\r");        // and this in the console
    viderTampon();
    EXPECT_EQ(caracteresEnAttente(console), 0U);
    taper(console, L"42\r");
    int n = 0;
    EXPECT_TRUE(std::cin >> n);
    EXPECT_EQ(n, 42);
    // A line longer than one read: its rest, held by the console, goes too.
    taper(console, std::wstring(5000, L'a') + L"\r");
    EXPECT_EQ(std::cin.get(), '\n');
    EXPECT_EQ(std::cin.get(), 'a');
    viderTampon();
    taper(console, L"7\r");
    EXPECT_TRUE(std::cin >> n);
    EXPECT_EQ(n, 7);
}

// Once standard input is a pipe instead of a console, std::cin reads the
// pipe again.
TEST(ViderTamponWindows, ConsolePuisTube)
{
    const HANDLE console = ouvrirConsole();
    if (console == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no console: run under a terminal";
    brancherEntree(console);
    viderTampon();
    HANDLE lecture = nullptr;
    HANDLE ecriture = nullptr;
    ASSERT_TRUE(CreatePipe(&lecture, &ecriture, nullptr, 0));
    brancherEntree(lecture);
    viderTampon();
    ecrire(ecriture, "42\n");
    int n = 0;
    EXPECT_TRUE(std::cin >> n);
    EXPECT_EQ(n, 42);
    CloseHandle(ecriture);
    brancherEntree(console);
}

// What is typed at a console reaches std::cin as UTF-8, whatever the
// console's code page, as the same keys at a Linux terminal; also when
// standard output goes to a file (`programme.exe > sortie.txt`).
TEST(ViderTamponWindows, ConsoleEnUtf8)
{
    const HANDLE console = ouvrirConsole();
    if (console == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no console: run under a terminal";
    brancherEntree(console);
    const auto chemin = std::filesystem::temp_directory_path() / "console-en-utf8.txt";
    const HANDLE fichier =
        CreateFileW(chemin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(fichier, INVALID_HANDLE_VALUE);
    const HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    const struct {
        std::wstring tape;
        std::string lu;
    } cas[] = {
        {L"H\u00e9l\u00e8ne Lef\u00e8vre\r", "H\xc3\xa9l\xc3\xa8ne Lef\xc3\xa8vre"},
        {L"\xD83D\xDE00\r", "\xf0\x9f\x98\x80"},
        {L"\xD83D\x61\xDE00\r", "\xef\xbf\275a\xef\xbf\xbd"},
        {std::wstring(5000, L'\u00e9') + L"\r",
         [] {
             std::string e;
             for (int i = 0; i < 5000; ++i)
                 e += "\xc3\xa9";
             return e;
         }()},
    };
    for (const HANDLE sortieStandard : {sortie, fichier}) {
        SetStdHandle(STD_OUTPUT_HANDLE, sortieStandard);
        for (const auto& c : cas) {
            SCOPED_TRACE(c.lu.substr(0, 20) + (sortieStandard == fichier ? ", output to a file" : ""));
            viderTampon();
            taper(console, c.tape);
            std::string ligne;
            EXPECT_TRUE(std::getline(std::cin, ligne));
            EXPECT_EQ(ligne, c.lu);
        }
    }
    SetStdHandle(STD_OUTPUT_HANDLE, sortie);
    CloseHandle(fichier);
    taper(console, L"\x1a\r");  // Ctrl+Z, Enter: the end of input
    std::string ligne;
    EXPECT_FALSE(std::getline(std::cin, ligne));
    EXPECT_TRUE(std::cin.eof());
    std::cin.clear();
}

}  // namespace
