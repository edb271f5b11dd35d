#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/note_names.hpp"
#include "settings/old_settings.hpp"
#include "settings/saint_ini_lines.hpp"
#include "settings/save_log.hpp"
#include "settings/settings_destination.hpp"

namespace korvaline {

// saint.ini's bytes as `lines` make them.
std::string settings_text(const std::vector<SaintIniLine>& lines);

// What the old file at a save's destination is to the new lines, looked at
// before anything is replaced.
struct OldFileReview {
    // The new file would be the old one byte for byte: nothing is written.
    bool unchanged = false;
    // What to tell of the old file: a hand edit, or other values in lines the
    // same for every crystal; its text empty where there is nothing.
    Note note;
    // Where the old file is what the program last wrote: the new lines that
    // differ from it, each with the origin that now gives it.
    std::vector<SaintIniLine> changed;
};

// The old file (`old`, none where there is none) against the
// new `lines`, with `last_save` the log's last block for it:
// - the same bytes: unchanged;
// - a last save whose SHA-256 the old bytes no longer have: a person changed
//   the file, and the note names the lines the new one differs in;
// - a last save that the old bytes still are: the changed lines, no note;
// - no last save: the note on other values in lines the same for every
//   crystal, as without a log.
// `before_the_save`: notes say what "would be replaced".
OldFileReview review_old_file(const std::optional<OldSettings>& old,
                              const std::vector<SaintIniLine>& lines,
                              const std::optional<LastSave>& last_save,
                              const std::string& settings_name, bool before_the_save);

}  // namespace korvaline
