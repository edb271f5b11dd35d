#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/saint_ini_lines.hpp"

namespace korvaline {

// The start of the settings file at `path` that a save is about to replace:
// at most its first 64 KiB, cut after its last whole line there. Empty when
// there is none or it cannot be read: it is only compared, and the save
// goes on whatever becomes of it.
std::string old_settings_start(const std::string& path);

// The file at `path` that a save is about to replace: its bytes, whole where
// it is no larger than any saint.ini, else its start as old_settings_start
// gives it. None where there is none or it cannot be read.
struct OldSettings {
    std::string text;
    bool whole = true;
};
std::optional<OldSettings> old_settings(const std::string& path);

// The key lines of `lines` that `old_text` does not hold as they are: with
// another value, or not at all. In the order of `lines`.
std::vector<const SaintIniLine*> lines_not_in(std::string_view old_text,
                                              const std::vector<SaintIniLine>& lines);

// What to tell the user when the old file held other values than `lines`
// in lines that the same for every crystal (an instrument value corrected by
// hand, say): how many of the new file's lines that is, each counted once
// however often the old file gives its key, and the first three keys, in the
// old file's order. Empty when there are none. Old lines that are not KEY=VALUE
// lines of a section of saint.ini are passed over, and so are the lines that
// follow the project, its runs and its P4P file. `outcome` ends it: told
// before a save that may not happen, they "would be replaced".
std::string replaced_values_note(std::string_view old_text, const std::vector<SaintIniLine>& lines,
                                 std::string_view settings_name,
                                 std::string_view outcome = "are replaced");

}  // namespace korvaline
