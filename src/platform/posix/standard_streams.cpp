#include "platform/standard_streams.hpp"

#include <unistd.h>

#include <csignal>

#include "platform/file_operations.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

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
