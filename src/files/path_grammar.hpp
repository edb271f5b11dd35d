#pragma once

#include <string>
#include <string_view>

#include "platform/path_style.hpp"
#include "platform/places.hpp"

namespace korvaline {

// Paths as each system writes them, and where it keeps configuration. Every
// function follows the system the program runs on unless told another
// style, so that both systems' rules are tested on either.

// The folders where the system keeps configuration: the user's own and
// the one for every user. Each is empty where it is left out: the user's
// where the variables it is taken from are unset, empty or relative, since
// a relative one would name a place inside the crystal's folder; on Windows
// the same goes for the one for every user (%PROGRAMDATA%).
struct ConfigurationFolders {
    std::string user;
    std::string system;
};
ConfigurationFolders configuration_folders(const EnvironmentLookup& environment,
                                           PathStyle style = system_path_style());

// How help texts name those folders: by the variable the user's comes from
// ($XDG_CONFIG_HOME), with the folder taken when that variable is unset or
// empty (~/.config; empty where there is no such folder), and the system's.
struct ConfigurationFolderNames {
    std::string_view user;
    std::string_view user_variable;
    std::string_view user_otherwise;
    std::string_view system;
};
ConfigurationFolderNames configuration_folder_names(PathStyle style = system_path_style());

// An environment variable as the system's shell writes its value: $NAME, or
// %NAME% on Windows.
std::string variable_in_text(std::string_view name, PathStyle style = system_path_style());

// The file or folder `name` inside `folder`, with the system's separator.
std::string path_in(const std::string& folder, std::string_view name,
                    PathStyle style = system_path_style());

// The folder that holds `folder`, a path from the root; empty for the root
// itself (/, or a drive's C:\ or a share's \\server\share\ on Windows).
std::string parent_folder(const std::string& folder, PathStyle style = system_path_style());

// The file `name` in the directory of the file `path`, as the system splits
// paths: "korvaline.log" beside "saint.ini", "/data/korvaline.log" beside
// "/data/saint.ini", "C:korvaline.log" beside "C:saint.ini" on Windows.
std::string path_beside(const std::string& path, std::string_view name,
                        PathStyle style = system_path_style());

}  // namespace korvaline
