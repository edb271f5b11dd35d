#include "settings/settings_writer.hpp"

#include <string>

#include "core/failure.hpp"
#include "settings/old_settings.hpp"
#include "settings/saint_ini_lines.hpp"
#include "settings/settings_file.hpp"
#include "settings/wavelength_check.hpp"

namespace korvaline {

namespace {

// The target of the crystal's source; empty when its P4P file names none.
std::string source_of(const SetupRecord& record) {
    return record.source ? record.source->target : "";
}

// Gives the lines the profile's values for the crystal's source, and says
// which profile, and which of its lines, they come from.
void use_profile(const Profile& profile, const SetupRecord& record,
                 std::vector<SaintIniLine>& lines, Console& console) {
    const std::string source = source_of(record);
    apply_profile(profile, source, lines);
    std::string used = "INSTRUMENT PROFILE: " + profile.path;
    if (profile.has_lines_for(source)) {
        used += ", lines for " + source;
    }
    console.message(used);
    const std::vector<std::string> sources = profile.sources();
    if (!record.source && !sources.empty()) {
        std::string targets;
        for (const std::string& target : sources) {
            targets += (targets.empty() ? "" : ", ") + target;
        }
        console.note(record.p4p_name.trimmed() +
                     " names no X-ray source; only the common lines of " + profile.path +
                     " were used, not its lines for " + targets);
    }
}

// Where the SCALE_WAVE written comes from.
std::string scale_wave_origin(const Profile* profile, const SetupRecord& record) {
    if (profile != nullptr && profile->entry_for("SCALE", "SCALE_WAVE", source_of(record))) {
        return "from " + profile->path;
    }
    return "built in";
}

void note_if_not_empty(Console& console, const std::string& note) {
    if (!note.empty()) {
        console.note(note);
    }
}

// Called with saint.ini already in place, after `note` on what it replaced: a
// lost message must not read as a lost file.
void tell_ready(const SettingsDestination& destination, Console& console, const std::string& note) {
    try {
        note_if_not_empty(console, note);
        console.announce("KORVALINE IS READY TO LOAD saint PROGRAM...");
        console.flush();
    } catch (const Failure& lost) {
        throw Failure(destination.name() +
                      " has been written, but the closing message was lost: " + lost.message());
    }
}

}  // namespace

void write_settings_file(const SetupRecord& record, const Profile* profile,
                         const SettingsDestination& destination, Console& console) {
    std::vector<SaintIniLine> lines = saint_ini_lines(record);
    if (profile != nullptr) {
        use_profile(*profile, record, lines, console);
    }
    note_if_not_empty(console, wavelength_note(record, lines, scale_wave_origin(profile, record),
                                               destination.name()));
    // Standard output replaces nothing.
    const std::string old_text =
        destination.is_standard_output() ? "" : old_settings_start(destination.name());
    console.announce("KORVALINE IS SAVING FILE...");
    console.flush();
    SettingsFile file(destination);
    note_if_not_empty(console, file.note());
    for (const SaintIniLine& line : lines) {
        file.write_line(line.text());
    }
    file.close();
    tell_ready(destination, console, replaced_values_note(old_text, lines, destination.name()));
}

}  // namespace korvaline
