#include "platform/name_exists.hpp"

#include "platform/windows/windows_api.hpp"

namespace korvaline {

bool name_exists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    // "abc1.p4p\" names a directory or nothing, as "abc1.p4p/" does on
    // Linux, whatever a given version of the system makes of the separator.
    const bool ends_in_separator = !path.empty() && (path.back() == '/' || path.back() == '\\');
    return !ends_in_separator || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool names_a_device(const std::string& /*path*/) {
    return false;
}

}  // namespace korvaline
