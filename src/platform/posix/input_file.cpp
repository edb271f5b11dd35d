#include "platform/input_file.hpp"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

#include "core/failure.hpp"
#include "platform/posix/file_kind.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

int descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

[[noreturn]] void fail_to_open(const std::string& path, const std::string& name, int error) {
    // A socket cannot be opened at all; it is named for what it is, as the
    // other kinds are below.
    struct stat info {};
    if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        throw Failure("cannot read " + name + ": " + not_a_regular_file(info.st_mode));
    }
    fail_with_system_error("cannot open " + name, error);
}

// `path` opened for reading, or -1 with errno set.
int open_descriptor(const std::string& path, int more_flags = 0) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | more_flags);
}

// Where a name that cannot be opened for want of its file is a symbolic link,
// what it stands for is missing: a Failure names the link's target.
void fail_if_dangling_link(const std::string& path, const std::string& name) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return;
    }
    std::array<char, PATH_MAX> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) {
        const int error = errno;
        fail_with_system_error("cannot open " + name, error);
    }
    throw Failure("cannot open " + name + ": it is a symbolic link to " +
                  quoted(std::string_view(target.data(), static_cast<std::size_t>(length))) +
                  ", which does not exist");
}

void require_regular_file(int fd, const std::string& name) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        fail_with_system_error("cannot read " + name, error);
    }
    if (!S_ISREG(info.st_mode)) {
        throw Failure("cannot read " + name + ": " + not_a_regular_file(info.st_mode));
    }
}

}  // namespace

InputFile InputFile::standard_input(std::string name) {
    return InputFile(STDIN_FILENO, false, std::move(name));
}

InputFile InputFile::open_regular_file(const std::string& path, const std::string& name) {
    const int fd = open_descriptor(path);
    if (fd < 0) {
        fail_to_open(path, name, errno);
    }
    InputFile file(fd, true, name);
    require_regular_file(fd, name);
    return file;
}

std::optional<InputFile> InputFile::open_if_present(const std::string& path,
                                                    const std::string& name, std::string* refusal) {
    const int fd = open_descriptor(path);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            fail_if_dangling_link(path, name);
            return std::nullopt;
        }
        if (error == EACCES && refusal != nullptr) {
            *refusal = system_error_text(error);
            return std::nullopt;
        }
        fail_to_open(path, name, error);
    }
    InputFile file(fd, true, name);
    require_regular_file(fd, name);
    return file;
}

std::optional<InputFile> InputFile::open_if_present_unless_link(const std::string& path,
                                                                const std::string& name) {
    const int fd = open_descriptor(path, O_NOFOLLOW);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return std::nullopt;
        }
        if (error == ELOOP) {
            throw Failure("cannot open " + name + ": it is a symbolic link, which is not followed");
        }
        fail_to_open(path, name, error);
    }
    InputFile file(fd, true, name);
    require_regular_file(fd, name);
    return file;
}

InputFile::~InputFile() {
    if (owned_) {
        ::close(descriptor(handle_));
    }
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(descriptor(handle_), buffer, size);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        const int error = errno;
        if (error != EINTR) {
            fail_with_system_error("cannot read " + name_, error);
        }
    }
}

}  // namespace korvaline
