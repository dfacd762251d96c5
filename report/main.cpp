#include "rapport.h"
#include "tools/tools.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <new>

namespace {

// What cannot be written is no success; said on the error stream, which
// shows at a console beside the report.
void direSortiePerdue()
{
    std::cerr << "le rapport n'a pas pu etre ecrit" << std::endl;
}

bool fluxPrets = false;  // the standard streams have their own buffers

// Memory ran out (a name of hundreds of megabytes, say): what was printed is
// shown, the program says why it stops, and waits as after the file's
// messages, in place of the C++ library's abort. Nothing it calls from here
// takes memory; were it to, it would fail at once rather than come back.
// Before the streams are set up (their buffers are what ran out), C's
// stderr alone can speak.
void memoireEpuisee()
{
    std::set_new_handler(nullptr);
    if (fluxPrets)
        std::cout.flush();
    std::fputs("memoire insuffisante\n", stderr);
    if (fluxPrets)
        attendreEntree();
    std::_Exit(1);
}

}  // namespace

int main()
{
    std::set_new_handler(memoireEpuisee);
#ifdef SIGPIPE
    // A pipe whose reader has gone (rapport-notes | head) is output that
    // cannot be written, said so, rather than a signal that ends the
    // program without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // The standard streams through the C++ library's own buffers rather than
    // C stdio's: a read or a write that a signal interrupts is made again,
    // where C stdio fails it and drops what it held.
    std::ios::sync_with_stdio(false);
    fluxPrets = true;
    // A larger buffer than the default's 8 KiB: fewer reads of a large file.
    static char tampon[1 << 16];
    std::ifstream entree;
    entree.rdbuf()->pubsetbuf(tampon, sizeof tampon);
    effacerEcran();
    if (ouvrirFichier(entree, fichierDesResultats)) {
        imprimerRapport(entree, std::cout);
        entree.close();
    }
    // A report lost on a full disk or a closed console is no success; said
    // before the pause, so that the user sees it while the window is open.
    const bool ecrit = !std::cout.flush().fail();
    if (!ecrit)
        direSortiePerdue();
    attendreEntree();
    if (ecrit && std::cout.flush().fail()) {  // the pause's own question
        direSortiePerdue();
        return 1;
    }
    return ecrit ? 0 : 1;
}
