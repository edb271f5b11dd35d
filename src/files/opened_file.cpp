#include "files/opened_file.hpp"

#include <utility>

#include "core/failure.hpp"
#include "core/not_a_regular_file.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

OpenedFile OpenedFile::from(const Opening& opening, const std::string& name,
                            std::string_view found_once_open) {
    switch (opening.outcome) {
        case Opened::file:
            return OpenedFile(opening.handle, true);
        case Opened::link:
            throw Failure("cannot open " + name + ": it is a symbolic link, which is not followed");
        case Opened::not_regular:
            throw Failure(std::string(found_once_open) + name + ": " +
                          not_a_regular_file(opening.detail));
        case Opened::unreadable:
            fail_with_system_error(std::string(found_once_open) + name, opening.error);
        default:
            fail_with_system_error("cannot open " + name, opening.error);
    }
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept
    : handle_(other.handle_), owned_(std::exchange(other.owned_, false)) {}

OpenedFile::~OpenedFile() {
    if (owned_) {
        close_file(handle_);
    }
}

}  // namespace korvaline
