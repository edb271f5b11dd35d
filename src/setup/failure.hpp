#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace korvaline {

// The one way the program stops early: every input or output failure is
// thrown as a Failure and reported by main as a single line on standard error.
class Failure : public std::runtime_error {
  public:
    explicit Failure(const std::string& what) : std::runtime_error(what) {}
};

// "<what>: <the system's text for error>", for failures of system calls;
// `error` comes from last_system_error(), read before anything else.
[[noreturn]] void fail_with_system_error(std::string_view what, int error);

// A file name as it appears in messages, quoted so that blanks stay visible.
std::string quoted(std::string_view name);

}  // namespace korvaline
