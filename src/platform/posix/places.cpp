#include "platform/places.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "core/failure.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

ConfigurationFolders configuration_folders(const EnvironmentLookup& environment) {
    ConfigurationFolders folders{"", "/etc"};
    // The XDG base directories: $XDG_CONFIG_HOME, or ~/.config without it.
    const std::string config_home = environment("XDG_CONFIG_HOME").value_or("");
    const std::string home = environment("HOME").value_or("");
    if (config_home.starts_with('/')) {
        folders.user = config_home;
    } else if (home.starts_with('/')) {
        folders.user = home + "/.config";
    }
    return folders;
}

ConfigurationFolderNames configuration_folder_names() {
    return {"$XDG_CONFIG_HOME", "XDG_CONFIG_HOME", "~/.config", "/etc"};
}

std::string variable_in_text(std::string_view name) {
    std::string text(1, '$');
    return text.append(name);
}

std::string path_in(const std::string& folder, std::string_view name) {
    std::string path = folder;
    return path.append(1, '/').append(name);
}

std::string parent_folder(const std::string& folder) {
    const std::size_t last = folder.find_last_not_of('/');
    if (last == std::string::npos) {
        return "";
    }
    const std::size_t separator = folder.find_last_of('/', last);
    if (separator == std::string::npos) {
        return "";
    }
    const std::size_t end = folder.find_last_not_of('/', separator);
    return end == std::string::npos ? "/" : folder.substr(0, end + 1);
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
