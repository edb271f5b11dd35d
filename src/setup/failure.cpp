#include "setup/failure.hpp"

#include <cstring>

namespace korvaline {

void fail_with_errno(std::string_view what, int error_number) {
    if (error_number == 0) {
        throw Failure(std::string(what));
    }
    throw Failure(std::string(what) + ": " + std::strerror(error_number));
}

std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    text.append(name);
    text.push_back('\'');
    return text;
}

}  // namespace korvaline
