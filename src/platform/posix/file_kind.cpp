#include "platform/posix/file_kind.hpp"

#include "core/not_a_regular_file.hpp"

namespace korvaline {

const char* kind_of(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "something else";
}

std::string not_a_regular_file(mode_t mode) {
    return not_a_regular_file(kind_of(mode));
}

}  // namespace korvaline
