#include "setup/banner.hpp"

#include <algorithm>
#include <cstddef>

#include "setup/version.hpp"

namespace korvaline {

namespace {

constexpr std::size_t kBannerWidth = 65;
constexpr std::size_t kLongestVersion = 8;
constexpr std::string_view kTitleStart = " |   KORVALINE ";
// The purpose in full, or in fewer words where a long version leaves no room.
constexpr std::string_view kPurpose = " - saint.ini set-up from frames and P4P data";
constexpr std::string_view kShortPurpose = " - saint.ini from frames and P4P data";

// At least one blank before the closing bar.
constexpr bool fits(std::string_view purpose) {
    return kTitleStart.size() + kVersion.size() + purpose.size() + 2 <= kBannerWidth;
}

static_assert(kVersion.size() <= kLongestVersion && fits(kShortPurpose),
              "the banner's title line holds a version of at most 8 characters");

// The title line: name, version and purpose, filled with blanks up to the
// closing bar, so that it keeps the banner's width whatever the version.
constexpr std::array<char, kBannerWidth> make_title_line() {
    std::array<char, kBannerWidth> line{};
    line.fill(' ');
    auto next = line.begin();
    const std::string_view purpose = fits(kPurpose) ? kPurpose : kShortPurpose;
    for (const std::string_view part : {kTitleStart, kVersion, purpose}) {
        next = std::copy(part.begin(), part.end(), next);
    }
    line.back() = '|';
    return line;
}

constexpr std::array<char, kBannerWidth> kTitleLine = make_title_line();

}  // namespace

// clang-format off
const std::array<std::string_view, 11> kBannerLines = {
    "  ++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++ ",
    " |    *   *  ***  ****  *   *  ***  *     ***** *   * *****     |",
    " |    *  *  *   * *   * *   * *   * *       *   **  * *         |",
    " |    ***   *   * *   * *   * *   * *       *   * * * ****      |",
    " |    *  *  *   * ****  *   * ***** *       *   *  ** *         |",
    " |    *   * *   * *  *   * *  *   * *       *   *   * *         |",
    " |    *   *  ***  *   *   *   *   * ***** ***** *   * *****     |",
    "  ++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++ ",
    std::string_view(kTitleLine.data(), kTitleLine.size()),
    " |            Written by the KORVALINE developers, MIT licence  |",
    "  ++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++ ",
};
// clang-format on

void show_banner(Console& console) {
    for (const std::string_view line : kBannerLines) {
        console.write_line(line);
    }
}

}  // namespace korvaline
