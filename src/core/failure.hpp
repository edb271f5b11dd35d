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

// A file name as it appears in messages, quoted so that blanks stay visible.
std::string quoted(std::string_view name);

// A message made fit for one line of a terminal: control characters, which
// a name or a field may hold, are shown escaped (\n, \t, \x1b).
std::string printable(std::string_view message);

}  // namespace korvaline
