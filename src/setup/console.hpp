#pragma once

#include <ostream>
#include <string_view>

#include "setup/fixed_text.hpp"
#include "setup/line_source.hpp"

namespace korvaline {

// The user's side of the program: whole lines out, one answer line in.
// Every output line is checked, so a lost write (a full disk, a closed pipe)
// stops the program instead of letting it end as if all went well.
class Console {
  public:
    Console(LineSource& input, std::ostream& output);

    // The text as it stands, then a line feed.
    void write_line(std::string_view text);
    // A message line: one blank, then the text.
    void message(std::string_view text);
    // An empty line, then the message: how every prompt and status appears.
    void announce(std::string_view text);

    // Shows everything written so far, then reads the next line into `field`
    // (its first field.width() characters). End of input is a Failure that
    // names the `awaited` answer.
    void read_answer(FixedText& field, std::string_view awaited);

    // Pushes out buffered lines; a failed write is a Failure.
    void flush();

  private:
    void check_output();

    LineSource& input_;
    std::ostream& output_;
};

}  // namespace korvaline
