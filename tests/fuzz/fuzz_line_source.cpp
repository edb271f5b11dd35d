// Any bytes as console input: the bounded line reader gives the same lines
// as a plain split at line feeds, with the carriage returns before LF (or
// before the end) dropped and each line cut to what the field keeps; it
// tells which lines lost more than blanks, and whether the text had carriage
// returns but no line feed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/line_source.hpp"

namespace {

struct Line {
    std::string text;
    bool cut;
    bool operator==(const Line&) const = default;
};

std::vector<Line> plain_split(const std::string& text, std::size_t keep) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool has_feed = end != std::string::npos;
        if (!has_feed) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const bool cut =
            line.size() > keep && line.find_first_not_of(" \r", keep) != std::string::npos;
        lines.push_back({line.substr(0, keep), cut});
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t keep = data[0] % 40;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    korvaline::LineSource source = korvaline::LineSource::from_text(text);
    std::vector<Line> lines;
    for (std::string line; source.read_line(keep, line);) {
        lines.push_back({line, source.last_line_was_cut()});
    }
    const bool returns_only =
        text.find('\r') != std::string::npos && text.find('\n') == std::string::npos;
    if (lines != plain_split(text, keep) ||
        source.lines_end_in_carriage_returns_only() != returns_only) {
        std::abort();
    }
    return 0;
}
