#pragma once

#include <functional>
#include <optional>
#include <string>

namespace korvaline {

// The value of an environment variable; none when it is unset.
std::optional<std::string> environment_value(const char* name);

using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The current directory, for messages that say where a file was looked for;
// empty when the system cannot tell it (it has been removed, say).
std::string current_directory();

// Makes `directory` the current directory, taken in the current one when it
// is relative. A Failure "cannot enter directory 'DIR': <why>" otherwise.
void change_directory(const std::string& directory);

// The system's own reading of `name` as a path from the root, where it has
// one: Windows', drive-relative names and ".." included, or `name` as it is
// when it cannot tell. None on POSIX, where the current directory is put
// before a relative name (see absolute_path).
std::optional<std::string> full_path_name(const std::string& name);

}  // namespace korvaline
