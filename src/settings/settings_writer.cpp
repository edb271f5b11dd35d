#include "settings/settings_writer.hpp"

#include "core/failure.hpp"
#include "settings/old_settings.hpp"
#include "settings/settings_file.hpp"
#include "settings/strict_check.hpp"

namespace korvaline {

namespace {

void note_if_not_empty(Console& console, const Note& note) {
    if (!note.text.empty()) {
        console.note(note);
    }
}

// Called with saint.ini already in place, after `note` on what it replaced: a
// lost message must not read as a lost file.
void tell_ready(const SettingsDestination& destination, Console& console, const Note& note) {
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

void show_composition(const ComposedSettings& settings, Console& console) {
    for (const std::string& used : settings.profiles_used) {
        console.message(used);
    }
    for (const Note& note : settings.notes) {
        console.note(note);
    }
}

Note note_on_old_file(const SettingsDestination& destination,
                      const std::vector<SaintIniLine>& lines, bool before_the_save) {
    // Standard output replaces nothing.
    if (destination.is_standard_output()) {
        return {};
    }
    return {"old-values",
            replaced_values_note(old_settings_start(destination.name()), lines, destination.name(),
                                 before_the_save ? "would be replaced" : "are replaced")};
}

SaveOutcome save_settings(const std::vector<SaintIniLine>& lines,
                          const SettingsDestination& destination, const BackupChoice& backup,
                          const Strictness& strictness, const Note& old_file_note,
                          Console& console) {
    console.announce("KORVALINE IS SAVING FILE...");
    console.flush();
    SettingsFile file(destination);
    note_if_not_empty(console, {"group-not-kept", file.note()});
    // A note that only making the new file can tell (a group that cannot be
    // kept) fails a strict run here, the new file then removed unwritten.
    refuse_if_noted(console, {}, strictness);
    for (const SaintIniLine& line : lines) {
        file.write_line(line.text());
    }
    file.close(backup);
    tell_ready(destination, console, old_file_note);
    return {file.backup_made()};
}

}  // namespace korvaline
