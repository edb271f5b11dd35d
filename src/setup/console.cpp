#include "setup/console.hpp"

#include <cerrno>
#include <string>

#include "setup/failure.hpp"

namespace korvaline {

Console::Console(LineSource& input, std::ostream& output) : input_(input), output_(output) {}

void Console::write_line(std::string_view text) {
    errno = 0;
    output_ << text << '\n';
    check_output();
}

void Console::message(std::string_view text) {
    std::string line(1, ' ');
    line.append(text);
    write_line(line);
}

void Console::announce(std::string_view text) {
    write_line("");
    message(text);
}

void Console::read_answer(FixedText& field, std::string_view awaited) {
    flush();
    std::string line;
    if (!input_.read_line(field.width(), line)) {
        throw Failure("standard input ended while waiting for " + std::string(awaited));
    }
    field.assign(line);
}

void Console::flush() {
    errno = 0;
    output_.flush();
    check_output();
}

void Console::check_output() {
    if (!output_) {
        const int error_number = errno;
        fail_with_errno("cannot write to standard output", error_number);
    }
}

}  // namespace korvaline
