#include "platform/name_exists.hpp"

#include <array>
#include <string_view>

#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

bool name_exists(const std::string& path, const std::function<std::string()>& called) {
    // Windows has a device name such as NUL or COM1.001 in every directory.
    if (names_a_device(path)) {
        return true;
    }
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const int error = last_system_error();
        // Only these say that there is no such file; any other answer (access
        // denied, a device not ready, a link that cannot be resolved) leaves
        // it open, and a frame or P4P file taken for missing would be a wrong
        // count.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME ||
            error == ERROR_FILENAME_EXCED_RANGE) {
            return false;
        }
        fail_with_system_error("cannot tell whether " + called() + " exists", error);
    }
    // "abc1.p4p\" names a directory or nothing, as "abc1.p4p/" does on
    // Linux, whatever a given version of the system makes of the separator.
    const bool ends_in_separator = !path.empty() && (path.back() == '/' || path.back() == '\\');
    return !ends_in_separator || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Asks the system, whose rules change with its version (COM1.001 and
// "nul .txt" as devices, in any directory; superscript digits; fewer names on
// newer versions): the full path of a device is \\.\ and the device's name.
bool names_a_device(const std::string& path) {
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    std::array<char, MAX_PATH> full{};
    const DWORD length =
        ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    return length > 0 && length < full.size() &&
           std::string_view(full.data(), length).starts_with(kDevicePrefix);
}

bool names_ignore_case() {
    return true;
}

bool suffix_is_dropped(std::string_view suffix) {
    return suffix.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace korvaline
