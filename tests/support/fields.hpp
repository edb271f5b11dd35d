#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/fixed_text.hpp"

namespace korvaline {

// `text` filled with blanks to `width` characters, as a field holds it.
inline std::string pad(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

// A field of `width` characters holding `content`.
inline FixedText field(std::size_t width, std::string_view content) {
    FixedText text(width);
    text.assign(content);
    return text;
}

// Frame names <base>.<first> to <base>.<last>, in order.
inline std::vector<std::string> frame_series(const std::string& base, int first, int last) {
    std::vector<std::string> names;
    for (int frame = first; frame <= last; ++frame) {
        char extension[8];
        std::snprintf(extension, sizeof extension, ".%03d", frame);
        names.push_back(base + extension);
    }
    return names;
}

}  // namespace korvaline
