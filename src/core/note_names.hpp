#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvaline {

// Every note the program gives has a name, shown after it in brackets, so
// that a person can accept it for one crystal (--accept, ACCEPT) once it has
// been looked at.
struct NoteKind {
    std::string_view name;
    std::string_view meaning;  // one line, as the help and the README give it
};

inline constexpr std::array kNoteKinds = {
    NoteKind{"frame-gap", "a run stops at a missing frame, but a later frame exists"},
    NoteKind{"runs-beyond-4", "frames of run 5 to 9 exist; saint.ini has places for 4 runs"},
    NoteKind{"cut-name", "an answer was looked for under a name cut at 20 characters"},
    NoteKind{"title-cut", "the P4P file's title is cut at 22 bytes"},
    NoteKind{"no-symm", "the P4P file has no SYMM line; the Laue symbol is blank"},
    NoteKind{"p4p-tab", "a P4P line read holds a tab among its columns"},
    NoteKind{"source-passed-over", "a SOURCE line of the P4P file is passed over"},
    NoteKind{"unknown-symbol", "a Laue symbol or centering not in the table; code 0 written"},
    NoteKind{"no-source", "the P4P file names no source, though a profile has lines for one"},
    NoteKind{"source-override", "--source gives another source than the P4P file names"},
    NoteKind{"wavelength", "SCALE_WAVE contradicts the wavelength of the P4P file's source"},
    NoteKind{"profile-unreadable", "the user's profile cannot be read; the run goes on without"},
    NoteKind{"untrusted-profile", "a folder's korvaline.ini is passed over, as others may write"},
    NoteKind{"old-values",
             "the old saint.ini had other values in lines the same for every crystal"},
    NoteKind{"hand-edit", "saint.ini was changed after korvaline wrote it"},
    NoteKind{"log", "korvaline.log cannot be opened or written"},
    NoteKind{"group-not-kept", "the new file cannot keep the old file's group"},
};

// One note: what it says, and its kind's name.
struct Note {
    std::string_view name;
    std::string text;
};

// The kind named `name`, if the program has one.
std::optional<NoteKind> note_kind_named(std::string_view name);

// The names in a list such as "frame-gap,title-cut", or the first word that
// names no note in `unknown` (an empty word among them too).
std::vector<std::string> note_names_in(std::string_view list, std::string& unknown);

}  // namespace korvaline
