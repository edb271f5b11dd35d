#include "platform/standard_streams.hpp"

#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// Writes all of `bytes` to `fd`; the error of the write that failed, or 0.
int write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            const int error = errno;
            if (error == EINTR) {
                continue;
            }
            return error;
        }
        if (count == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return 0;
}

}  // namespace

void prepare_standard_streams() {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

void write_standard_output(std::string_view bytes) {
    const int error = write_all(STDOUT_FILENO, bytes);
    if (error != 0) {
        fail_with_system_error("cannot write to standard output", error);
    }
}

void write_standard_error(std::string_view bytes) noexcept {
    write_all(STDERR_FILENO, bytes);
}

void write_standard_error_checked(std::string_view bytes) {
    const int error = write_all(STDERR_FILENO, bytes);
    if (error != 0) {
        fail_with_system_error("cannot write to standard error", error);
    }
}

}  // namespace korvaline
