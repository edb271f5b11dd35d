// Any bytes as an instrument profile: the reader takes it or fails cleanly,
// naming the file and the line, and what it takes changes only fixed lines
// of saint.ini, each of which stays one line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/failure.hpp"
#include "settings/profile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvaline;
    LineSource lines =
        LineSource::from_text(std::string(reinterpret_cast<const char*>(data), size));
    std::optional<Profile> profile;
    try {
        profile = parse_profile(lines, "fuzz.ini");
    } catch (const Failure& failure) {
        if (!std::string_view(failure.what()).starts_with("fuzz.ini:")) {
            std::abort();
        }
        return 0;
    }
    const std::vector<SaintIniLine> built_in = saint_ini_lines(SetupRecord{});
    std::vector<std::string> sources = profile->sources();
    sources.emplace_back();  // a crystal whose P4P file names no source
    for (const std::string& source : sources) {
        std::vector<SaintIniLine> applied = built_in;
        apply_profile(*profile, source, applied);
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
    }
    return 0;
}
