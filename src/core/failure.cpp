#include "core/failure.hpp"

namespace korvaline {

std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    text.append(name);
    text.push_back('\'');
    return text;
}

std::string comma_separated(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

std::string printable(std::string_view message) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            text += "\\n";
        } else if (c == '\t') {
            text += "\\t";
        } else if (c == '\r') {
            text += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            text += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xf]};
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace korvaline
