#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvaline {

// Who owns a file or folder and who besides may change it: what decides
// whether a file found on the way to the crystal's folder is to be trusted.
struct Ownership {
    std::uint64_t owner = 0;        // the user's number; 0 is root
    bool others_may_write = false;  // users neither its owner nor in its group (modes or list)
    bool sticky = false;            // a folder whose entries only their owners may rename
};

// The ownership of `path`, a symbolic link followed unless `of_link_itself`:
// none on a system whose files have no owner and mode in this sense
// (Windows). A Failure where the system cannot tell.
std::optional<Ownership> ownership_of(const std::string& path, bool of_link_itself = false);

// The folder that holds the file `path` names, its symbolic links followed:
// empty where that cannot be told or files are not judged by owner (Windows).
std::string folder_holding(const std::string& path);

// The number of the user the program runs as.
std::uint64_t running_user();

// Whether the program may both list `folder` and reach the files in it.
bool folder_is_open(const std::string& folder);

}  // namespace korvaline
