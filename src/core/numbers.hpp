#pragma once

#include <string_view>

namespace korvaline {

// Numbers as saint.ini and P4P files write them: an optional sign, digits
// with or without a decimal point, and an optional exponent (5, -9999,
// 0.0012, 1., 7.1073002E-01). Nothing else may stand in the text, not even
// a blank.

// Digits with an optional sign: 512, -9999, +16.
bool is_whole_number(std::string_view text);

// Any number of the form above, whole ones included.
bool is_number(std::string_view text);

// The value of a text that is_number() accepts.
double number_value(std::string_view text);

}  // namespace korvaline
