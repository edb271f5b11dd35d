#include "core/blanks.hpp"

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

}  // namespace korvaline
