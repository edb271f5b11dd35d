#include "setup/failure.hpp"

#include "platform/system_error.hpp"

namespace korvaline {

void fail_with_system_error(std::string_view what, int error) {
    if (error == 0) {
        throw Failure(std::string(what));
    }
    throw Failure(std::string(what) + ": " + system_error_text(error));
}

std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    text.append(name);
    text.push_back('\'');
    return text;
}

}  // namespace korvaline
