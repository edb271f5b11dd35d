#include "setup/banner.hpp"

#include <algorithm>
#include <cstddef>

#include "setup/version.hpp"

namespace korvaline {

namespace {

constexpr std::size_t kBannerWidth = 65;
constexpr std::string_view kTitleStart = " |   KORVALINE ";
constexpr std::string_view kTitleEnd = " - saint.ini set-up from frames and P4P data";
static_assert(kTitleStart.size() + kVersion.size() + kTitleEnd.size() + 2 <= kBannerWidth,
              "the version leaves no blank before the banner's closing bar (4 characters at most)");

// The title line: name, version and purpose, filled with blanks up to the
// closing bar, so that it keeps the banner's width whatever the version.
constexpr std::array<char, kBannerWidth> make_title_line() {
    std::array<char, kBannerWidth> line{};
    line.fill(' ');
    auto next = line.begin();
    for (const std::string_view part : {kTitleStart, kVersion, kTitleEnd}) {
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
