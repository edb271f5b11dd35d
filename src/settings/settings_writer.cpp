#include "settings/settings_writer.hpp"

#include <string>

#include "core/failure.hpp"
#include "settings/saint_ini_lines.hpp"
#include "settings/settings_file.hpp"

namespace korvaline {

namespace {

// Called with saint.ini already in place: a lost message must not read as a
// lost file.
void tell_ready(const SettingsDestination& destination, Console& console) {
    console.announce("KORVALINE IS READY TO LOAD saint PROGRAM...");
    try {
        console.flush();
    } catch (const Failure& lost) {
        throw Failure(destination.name() +
                      " has been written, but the closing message was lost: " + lost.what());
    }
}

}  // namespace

void write_settings_file(const SetupRecord& record, const Profile* profile,
                         const SettingsDestination& destination, Console& console) {
    std::vector<SaintIniLine> lines = saint_ini_lines(record);
    if (profile != nullptr) {
        apply_profile(*profile, lines);
        console.message("INSTRUMENT PROFILE: " + profile->path);
    }
    console.announce("KORVALINE IS SAVING FILE...");
    console.flush();
    SettingsFile file(destination);
    for (const SaintIniLine& line : lines) {
        file.write_line(line.text());
    }
    file.close();
    tell_ready(destination, console);
}

}  // namespace korvaline
