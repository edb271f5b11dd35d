#include "platform/places.hpp"

#include <cctype>

#include "core/failure.hpp"
#include "platform/name_exists.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// A path from a drive's root (C:\ or C:/) or a network share (\\server).
// Any other is taken from the current directory or drive, as Linux would take
// a relative XDG_CONFIG_HOME: no base directory.
bool is_absolute(const std::string& path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                       path[1] == ':' && separator(path[2]);
    return drive || (path.size() >= 2 && separator(path[0]) && separator(path[1]));
}

// The profile in a folder the variable `folder` names, or none.
std::string profile_in(const EnvironmentLookup& environment, const char* folder) {
    const std::string base = environment(folder).value_or("");
    return is_absolute(base) ? base + "\\korvaline\\profile.ini" : "";
}

}  // namespace

DefaultProfilePaths system_profile_paths(const EnvironmentLookup& environment) {
    return {profile_in(environment, "APPDATA"), profile_in(environment, "PROGRAMDATA")};
}

std::string_view default_profile_places() {
    return "  %APPDATA%\\korvaline\\profile.ini\n"
           "  %KORVALINE_SITE_PROFILE% (%PROGRAMDATA%\\korvaline\\profile.ini when it is\n"
           "      unset; none when it is empty)\n";
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

// Windows' own reading of the name: drive-relative names and ".." included.
std::string absolute_path(const std::string& name) {
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

std::string path_beside(const std::string& path, std::string_view name) {
    const std::size_t separator = path.find_last_of("/\\:");
    const std::size_t directory_end = separator == std::string::npos ? 0 : separator + 1;
    return path.substr(0, directory_end) + std::string(name);
}

}  // namespace korvaline
