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

}  // namespace

InputFile InputFile::standard_input(std::string name) {
    return InputFile(STDIN_FILENO, false, std::move(name));
}

InputFile InputFile::open_regular_file(const std::string& path, const std::string& name) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        // A socket cannot be opened at all; it is named for what it is, as
        // the other kinds are below.
        struct stat info {};
        if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            throw Failure("cannot read " + name + ": " + not_a_regular_file(info.st_mode));
        }
        fail_with_system_error("cannot open " + name, error);
    }
    InputFile file(fd, true, name);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        fail_with_system_error("cannot read " + name, error);
    }
    if (!S_ISREG(info.st_mode)) {
        throw Failure("cannot read " + name + ": " + not_a_regular_file(info.st_mode));
    }
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
