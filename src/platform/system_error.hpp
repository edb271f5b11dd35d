#pragma once

#include <string>
#include <string_view>

namespace korvaline {

// The error of the system call that has just failed: errno on POSIX,
// GetLastError() on Windows. Read it first, before anything else can change
// it, and hand it on.
int last_system_error();

// The system's own text for `error`, without a line ending.
std::string system_error_text(int error);

}  // namespace korvaline
