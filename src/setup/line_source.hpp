#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace korvaline {

// Reads text line by line from a file descriptor (standard input, a P4P
// file) or from a text in memory.
//
// A line ends at a line feed; a carriage return directly before the line
// feed, or directly before the end of the input, belongs to the ending and
// not to the text, so CR LF files read like LF files. A last line without a
// line feed is still a line. Only the first `keep` characters of a line are
// stored; the rest is read and thrown away, so no line can grow the memory.
class LineSource {
  public:
    // Reads from `fd` without owning it; `name` names the input in messages.
    LineSource(int fd, std::string name);
    // Opens `path` for reading and owns the descriptor.
    static LineSource open_file(const std::string& path, const std::string& name);
    // Reads the lines of `text`.
    static LineSource from_text(std::string text);

    LineSource(LineSource&& other) noexcept;
    LineSource& operator=(LineSource&&) = delete;
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;
    ~LineSource();

    // Sets `line` to the first `keep` characters of the next line; false when
    // nothing at all is left to read. A read error throws a Failure.
    bool read_line(std::size_t keep, std::string& line);

    const std::string& name() const { return name_; }

  private:
    bool refill();
    void skip_rest_of_line();

    int fd_;
    bool owns_fd_;
    std::string name_;
    std::vector<char> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

}  // namespace korvaline
