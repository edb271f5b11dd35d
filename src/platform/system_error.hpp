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

// Throws a Failure "<what>: <the system's text for error>", for failures of
// system calls; `error` comes from last_system_error(), read before anything
// else. An error of 0 leaves the text out.
[[noreturn]] void fail_with_system_error(std::string_view what, int error);

}  // namespace korvaline
