#include "platform/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// `path` opened for reading; -1 where nothing of that name is there and
// `may_be_absent` allows that.
int open_descriptor(const std::string& path, const std::string& name, bool may_be_absent) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (!may_be_absent || (error != ENOENT && error != ENOTDIR)) {
            fail_to_open(path, name, error);
        }
    }
    return fd;
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
    const int fd = open_descriptor(path, name, false);
    InputFile file(fd, true, name);
    require_regular_file(fd, name);
    return file;
}

std::optional<InputFile> InputFile::open_if_present(const std::string& path,
                                                    const std::string& name) {
    const int fd = open_descriptor(path, name, true);
    if (fd < 0) {
        return std::nullopt;
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
