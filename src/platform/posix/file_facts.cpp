#include "platform/file_facts.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "platform/system_error.hpp"

namespace korvaline {

std::optional<FileFacts> file_facts(const std::string& path, const std::string& called) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) {
            return std::nullopt;
        }
        fail_with_system_error("cannot read the size and time of " + called, error);
    }
    return FileFacts{static_cast<std::uintmax_t>(info.st_size),
                     static_cast<EpochSeconds>(info.st_mtim.tv_sec)};
}

EpochSeconds current_time() {
    return static_cast<EpochSeconds>(::time(nullptr));
}

}  // namespace korvaline
