#include "core/numbers.hpp"

#include <cstdlib>
#include <string>

namespace korvaline {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Passes over the digits at the front of `text`; how many there were.
std::size_t skip_digits(std::string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && is_digit(text[count])) {
        ++count;
    }
    text.remove_prefix(count);
    return count;
}

void skip_sign(std::string_view& text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
}

bool skip(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

}  // namespace

bool is_whole_number(std::string_view text) {
    skip_sign(text);
    return skip_digits(text) > 0 && text.empty();
}

bool is_number(std::string_view text) {
    skip_sign(text);
    std::size_t digits = skip_digits(text);
    if (skip(text, '.')) {
        digits += skip_digits(text);
    }
    if (digits == 0) {
        return false;
    }
    if (skip(text, 'E') || skip(text, 'e')) {
        skip_sign(text);
        if (skip_digits(text) == 0) {
            return false;
        }
    }
    return text.empty();
}

double number_value(std::string_view text) {
    return std::strtod(std::string(text).c_str(), nullptr);
}

}  // namespace korvaline
