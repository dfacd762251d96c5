// The type-ahead flush with standard input redirected from a file: skipped
// to its end, and no error left for the next reader.
#include "tools/tools.h"

#include <gtest/gtest.h>

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

}  // namespace
