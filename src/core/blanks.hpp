#pragma once

#include <string_view>

namespace korvaline {

// Blanks, as the files the program reads use them between and around their
// fields: the space and the tab.
bool is_blank(char c);

// The text without the blanks at its ends.
std::string_view without_blanks_around(std::string_view text);

}  // namespace korvaline
