#pragma once

#include <string>

namespace korvaline {

// A profile to start from: every line a profile may set, under its section,
// with its built-in value, commented out. Used as it is, or with every such
// line taken in, it changes nothing.
std::string profile_template();

}  // namespace korvaline
