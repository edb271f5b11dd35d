#pragma once

#include <string>
#include <vector>

#include "console/console.hpp"
#include "core/backup_names.hpp"
#include "settings/saint_ini_lines.hpp"
#include "settings/settings_composer.hpp"
#include "settings/settings_destination.hpp"
#include "settings/strict_check.hpp"

namespace korvaline {

// Says which profiles the lines were composed with, on standard output, and
// gives the composition's notes.
void show_composition(const ComposedSettings& settings, Console& console);

// What the user is to be told of the old file at `destination` that `lines`
// are to replace: the values in it that are the same for every crystal and
// that the new file changes (an instrument value corrected by hand, say).
// Its text is empty where there are none, or where nothing is replaced.
// `before_the_save`: told where the save may yet be refused (--strict), as
// what would happen.
Note note_on_old_file(const SettingsDestination& destination,
                      const std::vector<SaintIniLine>& lines, bool before_the_save);

// What a save did that a record of it names.
struct SaveOutcome {
    std::string backup_made;  // the backup's name, or empty for none
};

// Announces the save, writes `lines` to `destination` in place of any old
// file there (kept as `backup` says), gives `old_file_note` once the file is
// in place, and tells the user that saint can be started. Under --strict a
// note that making the new file gives stops the save (see refuse_if_noted).
SaveOutcome save_settings(const std::vector<SaintIniLine>& lines,
                          const SettingsDestination& destination, const BackupChoice& backup,
                          const Strictness& strictness, const Note& old_file_note,
                          Console& console);

}  // namespace korvaline
