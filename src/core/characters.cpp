#include "core/characters.hpp"

#include <algorithm>
#include <array>
#include <string_view>

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

std::string lower_hex(std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0xf];
    }
    return hex;
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

std::optional<std::string> element_symbol(std::string_view text) {
    // Hydrogen to oganesson, in upper case as target_name gives them.
    static constexpr std::array<std::string_view, 118> kElements = {
        "H",  "HE", "LI", "BE", "B",  "C",  "N",  "O",  "F",  "NE", "NA", "MG", "AL", "SI", "P",
        "S",  "CL", "AR", "K",  "CA", "SC", "TI", "V",  "CR", "MN", "FE", "CO", "NI", "CU", "ZN",
        "GA", "GE", "AS", "SE", "BR", "KR", "RB", "SR", "Y",  "ZR", "NB", "MO", "TC", "RU", "RH",
        "PD", "AG", "CD", "IN", "SN", "SB", "TE", "I",  "XE", "CS", "BA", "LA", "CE", "PR", "ND",
        "PM", "SM", "EU", "GD", "TB", "DY", "HO", "ER", "TM", "YB", "LU", "HF", "TA", "W",  "RE",
        "OS", "IR", "PT", "AU", "HG", "TL", "PB", "BI", "PO", "AT", "RN", "FR", "RA", "AC", "TH",
        "PA", "U",  "NP", "PU", "AM", "CM", "BK", "CF", "ES", "FM", "MD", "NO", "LR", "RF", "DB",
        "SG", "BH", "HS", "MT", "DS", "RG", "CN", "NH", "FL", "MC", "LV", "TS", "OG"};
    std::optional<std::string> name = target_name(text);
    if (!name || std::find(kElements.begin(), kElements.end(), *name) == kElements.end()) {
        return std::nullopt;
    }
    return name;
}

}  // namespace korvaline
