#include "core/characters.hpp"

#include <algorithm>

namespace korvaline {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view without_blanks_around(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool is_control_character(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

bool holds_control_character(std::string_view text) {
    return std::any_of(text.begin(), text.end(), is_control_character);
}

std::string byte_in_hex(char c) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return {'0', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xf]};
}

std::optional<std::string> target_name(std::string_view text) {
    std::string upper;
    for (const char c : text) {
        if (c >= 'a' && c <= 'z') {
            upper.push_back(static_cast<char>(c - 'a' + 'A'));
        } else if (c >= 'A' && c <= 'Z') {
            upper.push_back(c);
        } else {
            return std::nullopt;
        }
    }
    return upper.empty() ? std::nullopt : std::optional<std::string>(upper);
}

}  // namespace korvaline
