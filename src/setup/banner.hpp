#pragma once

#include <array>
#include <string_view>

#include "console/console.hpp"

namespace korvaline {

// The eleven lines the program greets the user with, each 65 characters.
extern const std::array<std::string_view, 11> kBannerLines;

void show_banner(Console& console);

}  // namespace korvaline
