// std::cin's buffer from the start of every program that includes the
// header (brancherLecteurs, tools.h): C's stdin read a character at a time,
// as the standard library's own synchronised buffer reads it, so that C
// stdio and std::cin may still be mixed and viderTampon finds what was read
// ahead in C's buffer. One thing differs: a read that a signal interrupted
// (EINTR, under a handler installed without SA_RESTART) is made again, where
// C stdio reports an error and the stream would end as if the input had.
// Nothing is read then, so nothing is lost. At a Windows console the
// console reader comes in front of it (entree_console.cpp).
#include "console_unicode.h"
#include "tools/tools.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace {

class LecteurStdio : public std::streambuf {
  protected:
    int_type underflow() override
    {
        const int c = lire();
        return c == EOF ? traits_type::eof() : std::ungetc(c, stdin);
    }

    int_type uflow() override
    {
        dernier_ = lire();
        return dernier_ == EOF ? traits_type::eof() : dernier_;
    }

    int_type pbackfail(int_type c) override
    {
        const int rendu = traits_type::eq_int_type(c, traits_type::eof()) ? dernier_ : c;
        dernier_ = EOF;
        return rendu == EOF ? traits_type::eof() : std::ungetc(rendu, stdin);
    }

    std::streamsize xsgetn(char* texte, std::streamsize n) override
    {
        std::streamsize lus = 0;
        while (lus < n) {
            errno = 0;
            lus += static_cast<std::streamsize>(std::fread(texte + lus, 1, static_cast<std::size_t>(n - lus), stdin));
            if (lus < n && !reprendre())
                break;
        }
        dernier_ = lus > 0 ? traits_type::to_int_type(texte[lus - 1]) : EOF;
        return lus;
    }

    pos_type seekoff(off_type decalage, std::ios::seekdir depuis, std::ios::openmode /*mode*/) override
    {
        const int origine = depuis == std::ios::beg ? SEEK_SET : depuis == std::ios::cur ? SEEK_CUR : SEEK_END;
        if (std::fseek(stdin, static_cast<long>(decalage), origine) != 0)
            return pos_type(off_type(-1));
        return pos_type(std::ftell(stdin));
    }

    pos_type seekpos(pos_type position, std::ios::openmode mode) override
    {
        return seekoff(off_type(position), std::ios::beg, mode);
    }

    // As the standard library's own buffer syncs: what C stdio makes of it.
    int sync() override
    {
        // cppcheck-suppress fflushOnInputStream ; the same call as the buffer it stands for
        return std::fflush(stdin);
    }

  private:
    static int lire()
    {
        for (;;) {
            errno = 0;
            const int c = std::getc(stdin);
            if (c != EOF || !reprendre())
                return c;
        }
    }

    // Whether the read that just ended short was interrupted, and may be
    // made again: C stdio then holds an error of its own, cleared.
    static bool reprendre()
    {
        if (!std::ferror(stdin) || errno != EINTR)
            return false;
        std::clearerr(stdin);
        return true;
    }

    int dernier_ = EOF;  // the last character taken, for a putback without one
};

}  // namespace

bool brancherLecteurs()
{
    // std::cin exists once an Init object does, whichever translation unit
    // is initialised first. Never destroyed: std::cin may be read until the
    // very end of the program.
    static const std::ios_base::Init fluxStandard;  // cppcheck-suppress unusedVariable ; constructed for its effect
    static auto* const lecteur = new LecteurStdio;
    static const bool branche = [] {
        std::cin.rdbuf(lecteur);
        brancherEntreeConsole();
        return true;
    }();
    return branche;
}
