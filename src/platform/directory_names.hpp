#pragma once

#include <string>
#include <vector>

namespace korvaline {

// The last component of `path`, as this system splits a path, and the names
// in its directory that start with it (saint.ini, saint.ini~,
// saint.ini.~2~): where a numbered backup finds the numbers taken. No names
// when the directory cannot be read.
struct NamesBeside {
    std::string file;
    std::vector<std::string> names;
};
NamesBeside names_beside(const std::string& path);

}  // namespace korvaline
