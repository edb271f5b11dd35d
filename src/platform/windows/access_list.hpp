#pragma once

#include <string>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

// Gives the new file open as `file` an access list set on the old file at
// `old_path` by hand: one that differs from what a new file in its
// directory gets. One that does not differ (all inherited, or as Wine makes
// it up from the permission bits) is left alone, and so is what the system
// refuses: the new file keeps its own.
void keep_access_list(const std::string& old_path, HANDLE file) noexcept;

}  // namespace korvaline
