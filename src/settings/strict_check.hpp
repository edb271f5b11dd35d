#pragma once

#include <string>

#include "console/console.hpp"

namespace korvaline {

// --strict, between composing saint.ini and saving it: a run that gave any
// note, or that would give `pending_note` after the save, may be one whose
// saint.ini is not what was meant, and a batch that nobody watches must not
// count it a success. It is a Failure that names the first note and counts
// the others, before anything is created or replaced. The pending note is
// given first, so that every note is shown.
void refuse_if_noted(Console& console, const std::string& pending_note);

}  // namespace korvaline
