#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvaline {

// The one way the program stops early: every input or output failure is
// thrown as a Failure and reported by main as a single line on standard error.
// Its message() is the whole text: what() stops at a NUL byte, which a name
// typed or read from a file may hold.
class Failure : public std::runtime_error {
  public:
    explicit Failure(const std::string& what) : std::runtime_error(what), message_(what) {}

    const std::string& message() const { return message_; }

  private:
    std::string message_;
};

// A file name as it appears in messages, quoted so that blanks stay visible.
std::string quoted(std::string_view name);

// Names as a message lists them: "abc, def, ghi".
std::string comma_separated(const std::vector<std::string>& names);

// A message made fit for one line of a terminal: control characters, which
// a name or a field may hold, are shown escaped (\n, \t, \x1b).
std::string printable(std::string_view message);

}  // namespace korvaline
