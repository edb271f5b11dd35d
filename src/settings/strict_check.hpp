#pragma once

#include <string>
#include <vector>

#include "console/console.hpp"
#include "core/note_names.hpp"

namespace korvaline {

// --strict, and the names of the notes a person has looked at and accepted
// for this crystal (--accept, ACCEPT), which are shown but fail nothing.
struct Strictness {
    bool strict = false;
    std::vector<std::string> accepted;

    bool accepts(std::string_view name) const;
};

// Whether a note of `name`, given after those `console` has given, keeps the
// old file: under --strict, where it or one of those is not accepted.
bool note_stops_the_save(const Console& console, std::string_view name,
                         const Strictness& strictness);

// --strict, between composing saint.ini and saving it: a run that gave any
// note not accepted, or that would give `pending` after the save, may be one
// whose saint.ini is not what was meant, and a batch that nobody watches must
// not count it a success. It is a Failure that names the first such note and
// counts the others, before anything is created or replaced. The pending
// note (none where its text is empty) is then given first, so that every note
// is shown. Without --strict, nothing.
void refuse_if_noted(Console& console, const Note& pending, const Strictness& strictness);

}  // namespace korvaline
