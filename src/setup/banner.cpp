#include "setup/banner.hpp"

namespace korvaline {

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
    " |   KORVALINE 1.0 - saint.ini set-up from frames and P4P data  |",
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
