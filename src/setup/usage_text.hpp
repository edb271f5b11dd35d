#pragma once

#include <string>

namespace korvaline {

// What --help prints.
std::string usage_text();

// What --version prints.
std::string version_text();

}  // namespace korvaline
