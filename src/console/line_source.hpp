#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "files/input_file.hpp"

namespace korvaline {

// Reads text line by line from an input (standard input, a P4P file) or
// from a text in memory.
//
// A line ends at a line feed. Carriage returns directly before the line feed,
// or directly before the end of the input, belong to the ending and not to
// the text, however many there are, so CR LF (and twice converted CR CR LF)
// files read like LF files; a carriage return inside a line is text. A last
// line without a line feed is still a line. Only the first `keep` characters
// of a line are stored; the rest is read and thrown away, so no line can grow
// the memory.
class LineSource {
  public:
    // What becomes of the rest of a line longer than `keep` characters: it
    // is read to the line's end, or reading stops at its first character,
    // blank or not, that is not the line's ending (a line feed after at most
    // two carriage returns), where the line is cut and the caller, who
    // refuses such a line, reads no further.
    enum class Rest { kReadToTheEnd, kLeftAtTheCut };

    explicit LineSource(InputFile input);
    // Reads the lines of `text`.
    static LineSource from_text(std::string text);

    // Sets `line` to the first `keep` characters of the next line; false when
    // nothing at all is left to read. A read error throws a Failure.
    bool read_line(std::size_t keep, std::string& line, Rest rest = Rest::kReadToTheEnd);

    // Whether the last line read held more than blanks after its first `keep`
    // characters: text the program did not see.
    bool last_line_was_cut() const { return last_line_was_cut_; }

    // Whether everything read so far held carriage returns but no line feed:
    // an old Mac file, whose lines all run together into one.
    bool lines_end_in_carriage_returns_only() const {
        return seen_carriage_return_ && !seen_line_feed_;
    }

    const std::string& name() const { return name_; }

  private:
    LineSource(std::optional<InputFile> input, std::string name);
    bool refill();
    void skip_rest_of_line();
    bool stop_before_last_character();
    void look_at_dropped(const char* first, const char* last);

    std::optional<InputFile> input_;
    std::string name_;
    std::vector<char> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    bool last_line_was_cut_ = false;
    bool seen_carriage_return_ = false;
    bool seen_line_feed_ = false;
};

}  // namespace korvaline
