#include "platform/places.hpp"

#include "core/failure.hpp"
#include "platform/name_exists.hpp"
#include "platform/path_style.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

PathStyle system_path_style() {
    return PathStyle::kWindows;
}

std::string current_directory() {
    const DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    std::string path(size, '\0');
    const DWORD length = size == 0 ? 0 : ::GetCurrentDirectoryA(size, path.data());
    if (length == 0 || length >= size) {
        return "";
    }
    path.resize(length);
    return path;
}

void change_directory(const std::string& directory) {
    // NUL or CON would be entered as the device's path, where no file can be.
    if (names_a_device(directory)) {
        fail_with_system_error("cannot enter directory " + quoted(directory), ERROR_DIRECTORY);
    }
    if (!::SetCurrentDirectoryA(directory.c_str())) {
        const int error = last_system_error();
        fail_with_system_error("cannot enter directory " + quoted(directory), error);
    }
}

std::optional<std::string> full_path_name(const std::string& name) {
    const DWORD size = ::GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    std::string path(size, '\0');
    const DWORD length =
        size == 0 ? 0 : ::GetFullPathNameA(name.c_str(), size, path.data(), nullptr);
    if (length == 0 || length >= size) {
        return name;
    }
    path.resize(length);
    return path;
}

}  // namespace korvaline
