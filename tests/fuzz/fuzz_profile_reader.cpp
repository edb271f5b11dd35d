// Any bytes as an instrument profile: the reader takes it or fails cleanly,
// naming the file and the line, and what it takes changes only fixed lines
// of saint.ini, each of which stays one line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/failure.hpp"
#include "settings/profile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvaline;
    LineSource lines =
        LineSource::from_text(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<SaintIniLine> built_in = saint_ini_lines(SetupRecord{});
    std::vector<SaintIniLine> applied = built_in;
    try {
        apply_profile(parse_profile(lines, "fuzz.ini"), applied);
    } catch (const Failure& failure) {
        if (!std::string_view(failure.what()).starts_with("fuzz.ini:")) {
            std::abort();
        }
        return 0;
    }
    if (applied.size() != built_in.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < applied.size(); ++i) {
        const std::string text = applied[i].text();
        if (text.find_first_of("\r\n") != std::string::npos ||
            (!built_in[i].fixed && text != built_in[i].text())) {
            std::abort();
        }
    }
    return 0;
}
