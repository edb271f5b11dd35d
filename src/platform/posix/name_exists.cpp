#include "platform/name_exists.hpp"

#include <sys/stat.h>

#include <cerrno>

#include "platform/system_error.hpp"

namespace korvaline {

bool name_exists(const std::string& path, const std::function<std::string()>& called) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return true;
    }
    const int error = errno;
    // Only these say that there is no such file; any other answer leaves it
    // open, and a frame or P4P file taken for missing would be a wrong count.
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) {
        return false;
    }
    fail_with_system_error("cannot tell whether " + called() + " exists", error);
}

bool names_a_device(const std::string& /*path*/) {
    return false;
}

bool names_ignore_case() {
    return false;
}

bool suffix_is_dropped(std::string_view /*suffix*/) {
    return false;
}

}  // namespace korvaline
