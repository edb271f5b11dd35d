#include "platform/places.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/failure.hpp"
#include "platform/path_style.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

PathStyle system_path_style() {
    return PathStyle::kPosix;
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

std::optional<std::string> full_path_name(const std::string& /*name*/) {
    return std::nullopt;
}

}  // namespace korvaline
