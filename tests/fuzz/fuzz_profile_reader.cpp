// Any bytes as an instrument profile: the reader takes it or fails naming
// the file and the line, and what it takes, for any source, leaves each line
// of saint.ini one line.

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
    try {
        const Profile profile = parse_profile(lines, "fuzz.ini");
        std::vector<std::string> sources = profile.sources();
        sources.emplace_back();  // a crystal whose P4P file names no source
        for (const std::string& source : sources) {
            std::vector<SaintIniLine> applied = saint_ini_lines(SetupRecord{});
            apply_profile(profile, source, applied);
            for (const SaintIniLine& line : applied) {
                if (line.text().find_first_of("\r\n") != std::string::npos) {
                    std::abort();
                }
            }
        }
    } catch (const Failure& failure) {
        if (!std::string_view(failure.what()).starts_with("fuzz.ini:")) {
            std::abort();
        }
    }
    return 0;
}
