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

// The folders where the system keeps configuration: the user's own and
// the one for every user. Each is empty where it is left out: the user's
// where the variables it is taken from are unset, empty or relative, since
// a relative one would name a place inside the crystal's folder.
struct ConfigurationFolders {
    std::string user;
    std::string system;
};
ConfigurationFolders configuration_folders(const EnvironmentLookup& environment);

// How help texts name those folders: by the variable the user's comes from
// ($XDG_CONFIG_HOME), with the folder taken when that variable is unset or
// empty (~/.config; empty where there is no such folder), and the system's.
struct ConfigurationFolderNames {
    std::string_view user;
    std::string_view user_variable;
    std::string_view user_otherwise;
    std::string_view system;
};
ConfigurationFolderNames configuration_folder_names();

// An environment variable as the system's shell writes its value: $NAME.
std::string variable_in_text(std::string_view name);

// The file or folder `name` inside `folder`, with the system's separator.
std::string path_in(const std::string& folder, std::string_view name);

// The folder that holds `folder`, a path from the root; empty for the root
// itself.
std::string parent_folder(const std::string& folder);

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
