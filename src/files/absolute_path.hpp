#pragma once

#include <string>

namespace korvaline {

// `name` as a path from the root, a relative one taken in the current
// directory; `name` as it is when the system cannot tell that directory.
std::string absolute_path(const std::string& name);

// How POSIX puts `directory`, a path from the root, before a relative
// `name`; `name` as it is where it is from the root or `directory` is empty.
std::string path_from_directory(const std::string& directory, const std::string& name);

// The name by which failures and notes call the file `name`: as given, or,
// `in_full`, as a path from the root. A run given -C or -o may be one of a
// night's batch, whose log must say which crystal's file it was.
std::string name_in_messages(const std::string& name, bool in_full);

}  // namespace korvaline
