#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvaline {

// `value` right-justified in exactly `width` columns, or `width` asterisks
// when its digits (and minus sign) do not fit.
std::string format_int(std::int32_t value, std::size_t width);

}  // namespace korvaline
