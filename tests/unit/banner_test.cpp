#include "setup/banner.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace korvaline {
namespace {

TEST(BannerTest, EveryLineKeepsTheWidthAndItsFrame) {
    const struct {
        std::size_t index;
        std::string_view start;
        std::string_view end;
    } cases[] = {
        {0, "  +", "+ "},  {1, " |    *", "|"},          {6, " |    *", "|"},
        {7, "  +", "+ "},  {8, " |   KORVALINE ", " |"}, {9, " |    ", "  |"},
        {10, "  +", "+ "},
    };
    for (std::size_t i = 0; i < kBannerLines.size(); ++i) {
        EXPECT_EQ(kBannerLines[i].size(), 65U) << "line " << i + 1 << ": " << kBannerLines[i];
    }
    for (const auto& c : cases) {
        const std::string_view line = kBannerLines.at(c.index);
        EXPECT_TRUE(line.starts_with(c.start)) << "line " << c.index + 1 << ": " << line;
        EXPECT_TRUE(line.ends_with(c.end)) << "line " << c.index + 1 << ": " << line;
    }
}

TEST(BannerTest, TitleCarriesTheProjectVersion) {
    const std::string expected =
        std::string(" |   KORVALINE ") + KORVALINE_PROJECT_VERSION + " - saint.ini set-up from";
    EXPECT_TRUE(kBannerLines[8].starts_with(expected)) << kBannerLines[8];
}

TEST(BannerTest, CreditNamesTheLicence) {
    EXPECT_TRUE(kBannerLines[9].ends_with(" Written by the KORVALINE developers, MIT licence  |"))
        << kBannerLines[9];
}

}  // namespace
}  // namespace korvaline
