// Dropping the bytes that wait in a pipe (or any input that cannot seek)
// without ever waiting for more: the rule, written once for every platform,
// over the system's calls that each platform gives (plateforme_*.cpp).
#ifndef TOOLS_VIDANGE_H
#define TOOLS_VIDANGE_H

#include <algorithm>
#include <cstddef>
#include <functional>

struct AppelsDeVidange {
    // How many bytes wait now; false when the system cannot tell.
    std::function<bool(std::size_t& enAttente)> compter;
    // Whether a read would return at once, with bytes or at the end.
    std::function<bool()> pret;
    // Reads at most `place` bytes into `morceau`: how many, 0 at the end of
    // the input, -1 when the read failed.
    std::function<long(char* morceau, std::size_t place)> lire;
};

// A pipe holds at most this much on Linux: where nothing could count what
// waits, no more is read, so that a writer that never stops cannot keep the
// flush reading.
constexpr std::size_t vidangeSansCompteMax = 65536;

// Reads and drops what `appels.compter` counts, each read asking no more
// than is left to drop (bytes arriving meanwhile are not read: a read never
// waits for what was counted, and never takes what came after). Where the
// count cannot be had, or a read fails, what can be read at once, up to
// vidangeSansCompteMax bytes in all.
inline void ecarterEnAttente(const AppelsDeVidange& appels)
{
    char morceau[4096];
    std::size_t reste = 0;
    bool compte = appels.compter(reste);
    if (!compte)
        reste = vidangeSansCompteMax;
    while (reste > 0) {
        if (!compte && !appels.pret())
            return;
        const long lus = appels.lire(morceau, std::min(reste, sizeof morceau));
        if (lus == 0)
            return;
        if (lus < 0) {
            if (!compte)
                return;
            compte = false;  // what was counted may still wait: read what comes at once
            reste = vidangeSansCompteMax;
            continue;
        }
        reste -= std::min(static_cast<std::size_t>(lus), reste);
    }
}

#endif
