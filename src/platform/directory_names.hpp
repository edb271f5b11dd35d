#pragma once

#include <string>
#include <vector>

namespace korvaline {

// The names in the directory of `path` that start with its last component
// (saint.ini, saint.ini~, saint.ini.~2~): where a numbered backup finds the
// numbers taken. Empty when the directory cannot be read; a backup made
// then fails, or takes a number already taken only if it is not listed.
std::vector<std::string> directory_names_starting_with(const std::string& path);

}  // namespace korvaline
