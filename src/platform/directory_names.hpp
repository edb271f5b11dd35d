#pragma once

#include <string>
#include <vector>

namespace korvaline {

// The names in the directory of `path` that start with its last component,
// each with the same directory part (saint.ini, saint.ini~, saint.ini.~2~):
// where a numbered backup finds the numbers taken. Those read before a
// failure, when the directory cannot be read whole; a numbered backup's
// name is therefore only ever taken where nothing has it.
std::vector<std::string> names_beside(const std::string& path);

}  // namespace korvaline
