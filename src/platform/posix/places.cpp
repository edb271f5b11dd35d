#include "platform/places.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "core/failure.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

DefaultProfilePaths system_profile_paths(const EnvironmentLookup& environment) {
    DefaultProfilePaths paths{"", "/etc/korvaline/profile.ini"};
    // The XDG base directories: $XDG_CONFIG_HOME, or ~/.config without it.
    const std::string config_home = environment("XDG_CONFIG_HOME").value_or("");
    const std::string home = environment("HOME").value_or("");
    // A relative XDG_CONFIG_HOME or HOME is no base directory: it would name
    // a place inside the crystal's folder. It is passed over.
    if (config_home.starts_with('/')) {
        paths.user = config_home + "/korvaline/profile.ini";
    } else if (home.starts_with('/')) {
        paths.user = home + "/.config/korvaline/profile.ini";
    }
    return paths;
}

std::string_view default_profile_places() {
    return "  $XDG_CONFIG_HOME/korvaline/profile.ini (~/.config/korvaline/profile.ini\n"
           "      when XDG_CONFIG_HOME is unset or empty)\n"
           "  $KORVALINE_SITE_PROFILE (/etc/korvaline/profile.ini when it is unset;\n"
           "      none when it is empty)\n";
}

std::string current_directory() {
    std::string path(256, '\0');
    while (::getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE) {
            return "";
        }
        path.resize(path.size() * 2);
    }
    path.resize(std::strlen(path.c_str()));
    return path;
}

void change_directory(const std::string& directory) {
    if (::chdir(directory.c_str()) != 0) {
        const int error = errno;
        fail_with_system_error("cannot enter directory " + quoted(directory), error);
    }
}

std::string absolute_path(const std::string& name) {
    const std::string directory = current_directory();
    if (name.starts_with('/') || directory.empty()) {
        return name;
    }
    // "./x" is "x" here; ".." stays, since a link on the way decides where it
    // leads, and so does a "./" that nothing but slashes follows.
    std::string_view relative = name;
    while (relative.starts_with("./")) {
        const std::size_t next = relative.find_first_not_of('/', 1);
        if (next == std::string_view::npos) {
            break;
        }
        relative.remove_prefix(next);
    }
    return (directory == "/" ? "" : directory) + "/" + std::string(relative);
}

std::string path_beside(const std::string& path, std::string_view name) {
    const std::size_t separator = path.find_last_of("/");
    const std::size_t directory_end = separator == std::string::npos ? 0 : separator + 1;
    return path.substr(0, directory_end) + std::string(name);
}

}  // namespace korvaline
