#include "core/fixed_text.hpp"

#include <algorithm>

namespace korvaline {

FixedText::FixedText(std::size_t width) : content_(width, ' ') {}

void FixedText::assign(std::string_view source) {
    const std::size_t kept = std::min(source.size(), content_.size());
    content_.replace(0, kept, source.substr(0, kept));
    std::fill(content_.begin() + static_cast<std::ptrdiff_t>(kept), content_.end(), ' ');
}

std::string FixedText::trimmed() const {
    const std::size_t last = content_.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : content_.substr(0, last + 1);
}

std::size_t FixedText::find(std::string_view needle) const {
    const std::size_t at = std::string_view(content_).find(needle);
    return at == std::string_view::npos ? 0 : at + 1;
}

bool FixedText::equals(std::string_view other) const {
    const std::string_view mine = content_;
    const std::size_t length = std::max(mine.size(), other.size());
    for (std::size_t i = 0; i < length; ++i) {
        const char a = i < mine.size() ? mine[i] : ' ';
        const char b = i < other.size() ? other[i] : ' ';
        if (a != b) {
            return false;
        }
    }
    return true;
}

bool holds_text_beyond(std::string_view text, std::size_t width) {
    return text.size() > width && text.find_first_not_of(' ', width) != std::string_view::npos;
}

}  // namespace korvaline
