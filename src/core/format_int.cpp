#include "core/format_int.hpp"

namespace korvaline {

std::string format_int(std::int32_t value, std::size_t width) {
    const std::string digits = std::to_string(value);
    if (digits.size() > width) {
        return std::string(width, '*');
    }
    return std::string(width - digits.size(), ' ') + digits;
}

}  // namespace korvaline
