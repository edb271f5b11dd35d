#include "files/absolute_path.hpp"

#include <optional>
#include <string_view>

#include "platform/places.hpp"

namespace korvaline {

std::string absolute_path(const std::string& name) {
    if (const std::optional<std::string> full = full_path_name(name)) {
        return *full;
    }
    return path_from_directory(current_directory(), name);
}

std::string path_from_directory(const std::string& directory, const std::string& name) {
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

std::string name_in_messages(const std::string& name, bool in_full) {
    return in_full ? absolute_path(name) : name;
}

}  // namespace korvaline
