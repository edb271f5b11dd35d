#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvaline {

// Blanks, as the files the program reads use them between and around their
// fields: the space and the tab.
bool is_blank(char c);

// The text without the blanks at its ends.
std::string_view without_blanks_around(std::string_view text);

// Whether the byte is below 0x20 or DEL: a line ending or a tab, say, that
// would break or shift a line of saint.ini.
bool is_control_character(char c);

// Whether the text holds such a byte.
bool holds_control_character(std::string_view text);

// A byte as messages show it: 0x1A.
std::string byte_in_hex(char c);
// Each byte as two lower-case hexadecimal digits, as digests are printed.
std::string lower_hex(std::string_view bytes);

// An X-ray source's target as the program names it (MO, CU, AG): the text in
// upper case, where it is letters, A to Z in either case; none where it is
// anything else or empty.
std::optional<std::string> target_name(std::string_view text);

// The target as target_name gives it, where it is a chemical element's
// symbol (CU, Mo, ag, W): the anode of an X-ray tube is always one, so a
// word such as COPPER is a mistake, not a source no crystal can have.
std::optional<std::string> element_symbol(std::string_view text);

}  // namespace korvaline
