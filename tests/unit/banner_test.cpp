#include "setup/banner.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace korvaline {
namespace {

// Each line keeps the banner's 65 characters and its frame; the title carries
// the version CMake knows, and the credit the licence.
TEST(BannerTest, EveryLineKeepsTheWidthAndItsFrame) {
    const struct {
        std::size_t index;
        std::string start;
        std::string end;
    } cases[] = {
        {0, "  +", "+ "},
        {1, " |    *", "|"},
        {6, " |    *", "|"},
        {7, "  +", "+ "},
        {8, std::string(" |   KORVALINE ") + KORVALINE_PROJECT_VERSION + " - saint.ini ", " |"},
        {9, " |    ", " Written by the KORVALINE developers, MIT licence  |"},
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

}  // namespace
}  // namespace korvaline
