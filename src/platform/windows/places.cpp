#include "platform/places.hpp"

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

}  // namespace korvaline
