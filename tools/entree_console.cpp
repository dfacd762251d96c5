// What is typed at a Windows console, read as UTF-16 and handed on as UTF-8.
// A console gives typed text in its own code page (850 on a French PC) to a
// program that reads bytes; read as UTF-16, it gives the characters typed,
// whatever the code page, which is never changed.
#include "console_unicode.h"
#include "plateforme.h"
#include "utf8.h"

#include <iostream>
#include <utility>

namespace {

constexpr char16_t ctrlZ = 0x1A;

}  // namespace

TamponConsoleUtf8::TamponConsoleUtf8(LireUtf16 lire) : lire_(std::move(lire)) {}

// A full piece that does not end the line leaves its rest in the console,
// typed already: the next read returns at once.
std::size_t TamponConsoleUtf8::lireMorceau()
{
    const std::size_t unites = lire_(morceau_, unitesParLecture);
    ligneEntamee_ = unites == unitesParLecture && morceau_[unites - 1] != u'\n';
    return unites;
}

void TamponConsoleUtf8::sauterFinDeLigne()
{
    while (ligneEntamee_ && lireMorceau() > 0) {
    }
}

// The piece's first `unites` units into texte_; a surrogate or a "\r" that
// ends it waits for the next piece when one follows in the same line.
std::size_t TamponConsoleUtf8::convertir(std::size_t unites, bool suiteAttendue)
{
    char* sortie = texte_;
    const auto ecrire = [&sortie](char32_t point) { sortie += encoderUtf8(point, sortie); };
    for (std::size_t i = 0; i < unites; ++i) {
        const char16_t unite = morceau_[i];
        if (const char16_t haut = std::exchange(surrogatEnAttente_, 0); haut != 0) {
            if (estSurrogatBas(unite)) {
                ecrire(combinerSurrogats(haut, unite));
                continue;
            }
            ecrire(caractereDeRemplacement);
        }
        if (std::exchange(retourEnAttente_, false) && unite != u'\n')
            ecrire(u'\r');
        if (estSurrogatHaut(unite))
            surrogatEnAttente_ = unite;
        else if (estSurrogatBas(unite))
            ecrire(caractereDeRemplacement);
        else if (unite == u'\r')
            retourEnAttente_ = true;
        else
            ecrire(unite);
    }
    if (!suiteAttendue) {
        if (std::exchange(surrogatEnAttente_, 0) != 0)
            ecrire(caractereDeRemplacement);
        if (std::exchange(retourEnAttente_, false))
            ecrire(u'\r');
    }
    return static_cast<std::size_t>(sortie - texte_);
}

TamponConsoleUtf8::int_type TamponConsoleUtf8::underflow()
{
    if (gptr() != egptr())
        return traits_type::to_int_type(*gptr());
    for (;;) {
        const bool debutDeLigne = !ligneEntamee_;
        const std::size_t unites = lireMorceau();
        if (unites > 0 && debutDeLigne && morceau_[0] == ctrlZ) {
            sauterFinDeLigne();
            return traits_type::eof();
        }
        const std::size_t taille = convertir(unites, ligneEntamee_);
        if (taille > 0) {
            setg(texte_, texte_, texte_ + taille);
            return traits_type::to_int_type(texte_[0]);
        }
        if (unites == 0)
            return traits_type::eof();
    }
}

void TamponConsoleUtf8::ecarter()
{
    setg(texte_, texte_, texte_);
    surrogatEnAttente_ = 0;
    retourEnAttente_ = false;
    sauterFinDeLigne();
}

namespace {

TamponConsoleUtf8& lecteurConsole()
{
    // Never destroyed: std::cin may be read until the very end of the program.
    static auto* const lecteur = new TamponConsoleUtf8(lireConsole);
    return *lecteur;
}

std::streambuf* tamponRemplace = nullptr;  // std::cin's buffer before the reader's

}  // namespace

void brancherEntreeConsole()
{
    const bool console = entreeConsole();
    if (console == (tamponRemplace != nullptr && std::cin.rdbuf() == &lecteurConsole()))
        return;
    if (console) {
        tamponRemplace = std::cin.rdbuf(&lecteurConsole());
    } else {
        std::cin.rdbuf(tamponRemplace);
        tamponRemplace = nullptr;
    }
}
