// Any bytes as an instrument profile: taken, every line of saint.ini stays
// one line; refused, the failure names the file and the line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/failure.hpp"
#include "settings/profile_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvaline;
    LineSource lines =
        LineSource::from_text(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const Profile profile = parse_profile(lines, "fuzz.ini");
        std::vector<SaintIniLine> applied = saint_ini_lines(SetupRecord{});
        apply_profile(profile, profile.sources().empty() ? "" : profile.sources().back(), applied);
        for (const SaintIniLine& line : applied) {
            if (line.text().find_first_of("\r\n") != std::string::npos) {
                std::abort();
            }
        }
    } catch (const Failure& failure) {
        if (!std::string(failure.what()).starts_with("fuzz.ini:")) {
            std::abort();
        }
    }
    return 0;
}
