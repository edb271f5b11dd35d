#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/note_names.hpp"
#include "core/setup_record.hpp"
#include "settings/profile.hpp"
#include "settings/saint_ini_lines.hpp"

namespace korvaline {

// saint.ini as a run composes it, before anything is shown or saved: its
// lines, what the program says of the profiles used, and what the user must
// be told because the file may not be what was meant.
struct ComposedSettings {
    std::vector<SaintIniLine> lines;
    std::vector<std::string> profiles_used;  // "INSTRUMENT PROFILE: ...", lowest first
    std::vector<Note> notes;
};

// How the files are called in notes: saint.ini (or its replacement) and the
// P4P file.
struct NamesInNotes {
    std::string settings = "saint.ini";
    std::string p4p;
};

// The lines of saint.ini from `record`, with the values of `profiles`
// applied lowest first for the source `chosen_source` gives (--source), else
// the one the P4P file names.
ComposedSettings compose_settings(const SetupRecord& record, const std::vector<Profile>& profiles,
                                  const std::optional<std::string>& chosen_source,
                                  const NamesInNotes& names);

}  // namespace korvaline
