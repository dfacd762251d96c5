// The type-ahead flush on Windows, at each level that holds what was typed
// or sent ahead: the C runtime's buffer behind std::cin, a console's input
// buffer, a pipe, a file. Standard input is swapped for each case.
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <io.h>
#include <iostream>
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

// Keys as a person types them: a key down and up for each character.
void taper(HANDLE console, const std::string& texte)
{
    for (const char c : texte) {
        INPUT_RECORD touche[2] = {};
        for (int i = 0; i < 2; ++i) {
            touche[i].EventType = KEY_EVENT;
            touche[i].Event.KeyEvent.bKeyDown = i == 0;
            touche[i].Event.KeyEvent.wRepeatCount = 1;
            touche[i].Event.KeyEvent.uChar.AsciiChar = c;
            touche[i].Event.KeyEvent.wVirtualKeyCode = c == '\r' ? VK_RETURN : 0;
        }
        DWORD ecrites = 0;
        ASSERT_TRUE(WriteConsoleInputA(console, touche, 2, &ecrites));
    }
}

TEST(ViderTamponWindows, Tube)
{
    HANDLE lecture = nullptr;
    HANDLE ecriture = nullptr;
    ASSERT_TRUE(CreatePipe(&lecture, &ecriture, nullptr, 0));
    brancherEntree(lecture);
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

TEST(ViderTamponWindows, Fichier)
{
    const auto chemin = std::filesystem::temp_directory_path() / "vider-tampon.txt";
    std::ofstream(chemin) << "abc\n12\n";
    HANDLE fichier = CreateFileW(chemin.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(fichier, INVALID_HANDLE_VALUE);
    brancherEntree(fichier);
    EXPECT_EQ(std::cin.get(), 'a');
    viderTampon();
    EXPECT_TRUE(std::cin.good());
    EXPECT_EQ(std::cin.get(), std::char_traits<char>::eof());  // skipped to the end
    std::cin.clear();
}

// Needs a console: run under a terminal (wine presents one as a console).
TEST(ViderTamponWindows, Console)
{
    HANDLE console = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode))
        GTEST_SKIP() << "no console: run under a terminal";
    brancherEntree(console);
    taper(console, "abc\r");
    EXPECT_EQ(std::cin.get(), 'a');  // a line read: "bc" waits in the C runtime
    taper(console, "xyz\r");         // and this in the console
    viderTampon();
    DWORD enAttente = 1;
    EXPECT_TRUE(GetNumberOfConsoleInputEvents(console, &enAttente));
    EXPECT_EQ(enAttente, 0U);
    taper(console, "42\r");
    int n = 0;
    EXPECT_TRUE(std::cin >> n);
    EXPECT_EQ(n, 42);
}

}  // namespace
