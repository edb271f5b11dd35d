#include "platform/identity.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "core/account_names.hpp"

namespace korvaline {

namespace {

// The name the account file at `path` gives `id`, else the number: a file
// that cannot be read names no one.
std::string name_from(const char* path, unsigned long id) {
    std::string contents;
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    std::array<char, 8192> buffer{};
    for (ssize_t count = 1; fd >= 0 && count != 0;) {
        count = ::read(fd, buffer.data(), buffer.size());
        if (count < 0 && errno != EINTR) {
            break;
        }
        contents.append(buffer.data(), static_cast<std::size_t>(count > 0 ? count : 0));
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return account_name(contents, id).value_or(std::to_string(id));
}

}  // namespace

std::string running_user_name() {
    return name_from("/etc/passwd", ::geteuid());
}

std::string group_name(unsigned long group) {
    return name_from("/etc/group", group);
}

}  // namespace korvaline
