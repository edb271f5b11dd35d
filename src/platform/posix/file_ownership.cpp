#include "platform/file_ownership.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/failure.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

std::optional<Ownership> ownership_of(const std::string& path, bool of_link_itself) {
    struct stat facts {};
    const int status =
        of_link_itself ? ::lstat(path.c_str(), &facts) : ::stat(path.c_str(), &facts);
    if (status != 0) {
        const int error = errno;
        fail_with_system_error("cannot tell who owns " + quoted(path), error);
    }
    return Ownership{facts.st_uid, (facts.st_mode & S_IWOTH) != 0, (facts.st_mode & S_ISVTX) != 0};
}

std::uint64_t running_user() {
    return ::geteuid();
}

bool folder_is_open(const std::string& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), R_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace korvaline
