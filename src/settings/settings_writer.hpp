#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/console.hpp"
#include "core/backup_names.hpp"
#include "core/setup_record.hpp"
#include "settings/old_file_review.hpp"
#include "settings/saint_ini_lines.hpp"
#include "settings/save_log.hpp"
#include "settings/settings_composer.hpp"
#include "settings/settings_destination.hpp"
#include "settings/strict_check.hpp"

namespace korvaline {

// Says which profiles the lines were composed with, on standard output, and
// gives the composition's notes.
void show_composition(const ComposedSettings& settings, Console& console);

// Each line of saint.ini after where it comes from and a TAB, as
// --show-origin prints them.
std::string origins_text(const std::vector<SaintIniLine>& lines);

// What a save will do, settled before anything is replaced: the log beside
// the file (none for standard output, or where nothing is to be written),
// and what the old file is to the new lines.
struct SavePlan {
    std::optional<SaveLog> log;
    OldFileReview review;
};

// Looks at the old file at `destination` and reads the log beside it. Under
// --strict, the review's note is told as what would happen, unless every
// note is accepted and the save goes on. `in_full`: the log is named from
// the root.
SavePlan plan_save(const SettingsDestination& destination, const std::vector<SaintIniLine>& lines,
                   const Strictness& strictness, const Console& console, bool in_full);

// How a save is made: where, with which backup, how strictly, as planned.
struct SaveChoices {
    const SettingsDestination& destination;
    const BackupChoice& backup;
    const Strictness& strictness;
    SavePlan& plan;
};

// Announces the save, writes the lines of `settings` to the destination in
// place of any old file there (kept as the backup choice says), adds the
// save's block to the log with `run`'s facts, gives the review's note once
// the file is in place, and tells the user that saint can be started. An
// unchanged file is not written, and no block is added. Under --strict a note
// that making the new file gives stops the save (see refuse_if_noted).
void save_settings(const ComposedSettings& settings, const SetupRecord& record,
                   const SaveChoices& choices, const RunFacts& run, Console& console);

}  // namespace korvaline
