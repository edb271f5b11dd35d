#include "setup/file_exists.hpp"

#include <sys/stat.h>

#include <string>

namespace korvaline {

bool file_exists(const FixedText& name) {
    const std::string path = name.trimmed();
    if (path.find('\0') != std::string::npos) {
        return false;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace korvaline
