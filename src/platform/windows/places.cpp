#include "platform/places.hpp"

#include <algorithm>
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

// The folder the variable `name` names, or none.
std::string folder_named_by(const EnvironmentLookup& environment, const char* name) {
    const std::string folder = environment(name).value_or("");
    return is_absolute(folder) ? folder : "";
}

}  // namespace

ConfigurationFolders configuration_folders(const EnvironmentLookup& environment) {
    return {folder_named_by(environment, "APPDATA"), folder_named_by(environment, "PROGRAMDATA")};
}

ConfigurationFolderNames configuration_folder_names() {
    return {"%APPDATA%", "APPDATA", "", "%PROGRAMDATA%"};
}

std::string variable_in_text(std::string_view name) {
    std::string text(1, '%');
    return text.append(name).append(1, '%');
}

std::string path_in(const std::string& folder, std::string_view name) {
    std::string path = folder;
    return path.append(1, '\\').append(name);
}

// The root is a drive's (C:\) or a share's (\\server\share\); what
// stands above it is no folder.
std::string parent_folder(const std::string& folder) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    std::size_t root = 3;
    if (folder.size() >= 2 && separator(folder[0]) && separator(folder[1])) {
        const std::size_t server_end = folder.find_first_of("\\/", 2);
        const std::size_t share_end = server_end == std::string::npos
                                          ? std::string::npos
                                          : folder.find_first_of("\\/", server_end + 1);
        root = share_end == std::string::npos ? folder.size() : share_end + 1;
    }
    std::size_t end = folder.size();
    while (end > root && separator(folder[end - 1])) {
        --end;
    }
    if (end <= root) {
        return "";
    }
    while (end > root && !separator(folder[end - 1])) {
        --end;
    }
    while (end > root && separator(folder[end - 1])) {
        --end;
    }
    return folder.substr(0, std::max(end, root));
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
