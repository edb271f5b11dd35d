#include "platform/file_ownership.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "core/failure.hpp"
#include "core/group_access.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// Whether an access control list on `path` lets a user or group named in it
// write: the mode's bits alone do not say who besides owner and group may.
bool listed_others_may_write(const std::string& path, bool of_link_itself) {
    const auto read = of_link_itself ? ::lgetxattr : ::getxattr;
    const ssize_t size = read(path.c_str(), "system.posix_acl_access", nullptr, 0);
    if (size <= 0) {
        return false;
    }
    std::vector<char> list(static_cast<std::size_t>(size));
    const ssize_t length = read(path.c_str(), "system.posix_acl_access", list.data(), list.size());
    return length > 0 &&
           access_list_lets_others_write(list.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::optional<Ownership> ownership_of(const std::string& path, bool of_link_itself) {
    struct stat facts {};
    const int status =
        of_link_itself ? ::lstat(path.c_str(), &facts) : ::stat(path.c_str(), &facts);
    if (status != 0) {
        const int error = errno;
        fail_with_system_error("cannot tell who owns " + quoted(path), error);
    }
    const bool others_may_write =
        (facts.st_mode & S_IWOTH) != 0 || listed_others_may_write(path, of_link_itself);
    return Ownership{facts.st_uid, others_may_write, (facts.st_mode & S_ISVTX) != 0};
}

std::string folder_holding(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
        return "";
    }
    const std::string file(resolved);
    const std::size_t last = file.find_last_of('/');
    return last == 0 ? "/" : file.substr(0, last);
}

std::uint64_t running_user() {
    return ::geteuid();
}

bool folder_is_open(const std::string& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), R_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace korvaline
