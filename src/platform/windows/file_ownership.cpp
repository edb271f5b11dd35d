#include "platform/file_ownership.hpp"

#include "platform/windows/windows_api.hpp"

namespace korvaline {

// Owners and modes as POSIX has them are not Windows' way of granting
// access: no file is judged by them there.
std::optional<Ownership> ownership_of(const std::string&, bool) {
    return std::nullopt;
}

std::string folder_holding(const std::string&) {
    return "";
}

std::uint64_t running_user() {
    return 0;
}

bool folder_is_open(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const bool at_separator = folder.ends_with('\\') || folder.ends_with('/');
    const std::string pattern = folder + (at_separator ? "*" : "\\*");
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return ::GetLastError() != ERROR_ACCESS_DENIED;
    }
    ::FindClose(search);
    return true;
}

}  // namespace korvaline
