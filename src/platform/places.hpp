#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvaline {

// The value of an environment variable; empty when it is unset.
std::string environment_value(const char* name);

using EnvironmentLookup = std::function<std::string(const char* name)>;

// Where an instrument profile is looked for when none is named: the user's
// own, then the site's, in that order. A place whose variables are unset or
// empty is left out.
std::vector<std::string> default_profile_paths(
    const EnvironmentLookup& environment = environment_value);

// Those places as the help text names them.
std::string_view default_profile_places();

// The current directory, for messages that say where a file was looked for;
// empty when the system cannot tell it (it has been removed, say).
std::string current_directory();

// Makes `directory` the current directory, taken in the current one when it
// is relative. A Failure "cannot enter directory 'DIR': <why>" otherwise.
void change_directory(const std::string& directory);

// `name` as a path from the root, a relative one taken in the current
// directory; `name` as it is when the system cannot tell that directory.
std::string absolute_path(const std::string& name);

}  // namespace korvaline
