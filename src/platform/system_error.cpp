#include "platform/system_error.hpp"

#include "core/failure.hpp"

namespace korvaline {

void fail_with_system_error(std::string_view what, int error) {
    if (error == 0) {
        throw Failure(std::string(what));
    }
    throw Failure(std::string(what) + ": " + system_error_text(error));
}

}  // namespace korvaline
