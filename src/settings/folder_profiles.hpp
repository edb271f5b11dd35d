#pragma once

#include <string>
#include <vector>

#include "console/console.hpp"
#include "settings/profile.hpp"

namespace korvaline {

// The file that makes a folder's own profile: in the crystal's folder, or in
// any folder above it.
constexpr const char* kFolderProfileName = "korvaline.ini";

// The folder profiles for the crystal in `crystal_folder` (a path from the
// root), farthest first, so that the nearest folder's lines win: the one in
// each folder from `crystal_folder` up to `top` (the root when empty). The
// search stops below a folder that cannot be listed or entered. A profile
// that a stranger owns, or that others than its owner and group may write,
// or whose folder others may write without the sticky bit, is passed over
// with a note that names it and why; where the system has no such owners
// and modes (Windows), every one is taken.
std::vector<Profile> load_folder_profiles(const std::string& crystal_folder, Console& console,
                                          const std::string& top = "");

}  // namespace korvaline
