// Any bytes as console input: the bounded line reader gives the same lines
// as a plain split at line feeds, with a CR before LF (or before the end)
// dropped and each line cut to what the field keeps.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "setup/line_source.hpp"

namespace {

std::vector<std::string> plain_split(const std::string& text, std::size_t keep) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool has_feed = end != std::string::npos;
        if (!has_feed) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line.substr(0, keep));
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
    std::vector<std::string> lines;
    for (std::string line; source.read_line(keep, line);) {
        lines.push_back(line);
    }
    if (lines != plain_split(text, keep)) {
        std::abort();
    }
    return 0;
}
