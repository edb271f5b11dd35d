#include "platform/places.hpp"

#include "core/failure.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

std::vector<std::string> default_profile_paths(const EnvironmentLookup& environment) {
    std::vector<std::string> paths;
    for (const char* folder : {"APPDATA", "PROGRAMDATA"}) {
        const std::string base = environment(folder);
        if (!base.empty()) {
            paths.push_back(base + "\\korvaline\\profile.ini");
        }
    }
    return paths;
}

std::string_view default_profile_places() {
    return "  %APPDATA%\\korvaline\\profile.ini\n"
           "  %PROGRAMDATA%\\korvaline\\profile.ini\n";
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

}  // namespace korvaline
