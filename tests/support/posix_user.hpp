#pragma once

#include <sys/types.h>
#include <unistd.h>

namespace korvaline {

// Where the tests run as root (as CI does), what needs permissions to count
// runs as nobody instead.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

inline bool running_as_root() {
    return ::geteuid() == 0;
}

}  // namespace korvaline
