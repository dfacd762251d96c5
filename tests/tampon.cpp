// The type-ahead flush: with standard input redirected from a file, skipped
// to its end, and no error left for the next reader; from a pipe, only what
// waits now.
#include "tools/tools.h"
#include "vidange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

TEST(ViderTampon, FichierRedirigeSauteSansErreur)
{
    const auto chemin = std::filesystem::temp_directory_path() / "vider-tampon-redirige.txt";
    std::ofstream(chemin) << "abc\n12\n";
    ASSERT_NE(std::freopen(chemin.string().c_str(), "r", stdin), nullptr);
    std::cin.clear();
    EXPECT_EQ(std::cin.get(), 'a');
    viderTampon();
    EXPECT_TRUE(std::cin.good());
    EXPECT_EQ(std::cin.get(), std::char_traits<char>::eof());
    std::cin.clear();
}

// Dropping what waits in a pipe, over a pipe made here: a read never asks
// for more than was counted and is left (what arrives meanwhile is the next
// reader's), and nothing waits for input. Where nothing can count, or a
// read fails, only what a read returns at once, up to a bound that a writer
// that never stops reaches.
TEST(EcarterEnAttente, SansJamaisAttendre)
{
    const struct {
        const char* cas;
        bool compteSu;
        std::size_t enAttente;  // in the pipe at first
        std::size_t arrivee;    // written into it after each read
        unsigned echecs;        // the reads that fail: bit i for the read of rank i + 1
        std::size_t lus;        // dropped in all
    } cas[] = {
        {"counted, a writer that never stops", true, 10, 5000, 0, 10},
        {"counted, over several reads", true, 10000, 0, 0, 10000},
        {"nothing waits", true, 0, 0, 0, 0},
        {"no count, a writer that never stops", false, 100, 5000, 0, vidangeSansCompteMax},
        {"no count, what is there", false, 100, 0, 0, 100},
        {"a read fails, then what is there", true, 10, 0, 1, 10},
        {"a read fails, then another", true, 10, 0, 3, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        std::size_t dansLeTube = c.enAttente;
        std::size_t lus = 0;
        std::size_t reste = c.enAttente;  // what the count allows
        ecarterEnAttente({[&](std::size_t& n) {
                              n = dansLeTube;
                              return c.compteSu;
                          },
                          [&] { return dansLeTube > 0; },
                          [&, rang = 0U](char* /*morceau*/, std::size_t place) mutable -> long {
                              EXPECT_GT(dansLeTube, 0U) << "a read that would wait";
                              if (c.compteSu && c.echecs == 0) {
                                  EXPECT_LE(place, reste) << "more asked than was counted";
                              }
                              if ((c.echecs >> rang++ & 1U) != 0)
                                  return -1;
                              const std::size_t n = std::min(place, dansLeTube);
                              dansLeTube += c.arrivee - n;
                              lus += n;
                              reste -= std::min(reste, n);
                              return static_cast<long>(n);
                          }});
        EXPECT_EQ(lus, c.lus);
    }
}

}  // namespace
