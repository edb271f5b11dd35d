#include "platform/system_error.hpp"

#include <cerrno>
#include <cstring>

namespace korvaline {

int last_system_error() {
    return errno;
}

std::string system_error_text(int error) {
    return std::strerror(error);
}

}  // namespace korvaline
