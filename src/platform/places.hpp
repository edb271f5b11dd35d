#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvaline {

// The value of an environment variable; none when it is unset.
std::optional<std::string> environment_value(const char* name);

using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// Where an instrument profile is looked for when none is named: the user's
// own place, then the site's. Each is empty where it is left out: the user's
// where the variables it is made of are unset, empty or relative, the site's
// where KORVALINE_SITE_PROFILE, which names it in place of the system's
// usual one, is set and empty.
struct DefaultProfilePaths {
    std::string user;
    std::string site;
};
DefaultProfilePaths default_profile_paths(const EnvironmentLookup& environment = environment_value);

// The two places as each system has them, the site's as usual: what
// default_profile_paths starts from.
DefaultProfilePaths system_profile_paths(const EnvironmentLookup& environment);

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

// The file `name` in the directory of the file `path`, as the system splits
// paths: "korvaline.log" beside "saint.ini", "/data/korvaline.log" beside
// "/data/saint.ini".
std::string path_beside(const std::string& path, std::string_view name);

// The name by which failures and notes call the file `name`: as given, or,
// `in_full`, as a path from the root. A run given -C or -o may be one of a
// night's batch, whose log must say which crystal's file it was.
std::string name_in_messages(const std::string& name, bool in_full);

}  // namespace korvaline
