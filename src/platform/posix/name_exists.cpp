#include "platform/name_exists.hpp"

#include <sys/stat.h>

namespace korvaline {

bool name_exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool names_a_device(const std::string& /*path*/) {
    return false;
}

}  // namespace korvaline
