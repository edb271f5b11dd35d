#pragma once

#include <cstdint>

#include "console/console.hpp"
#include "core/fixed_text.hpp"
#include "core/setup_record.hpp"

namespace korvaline {

// The code saint uses for the Laue class (0 to 9) and for the lattice
// centering (0 to 8): the first fragment of its table found anywhere in the
// field decides; 0 when none is found.
std::int32_t laue_code_of(const FixedText& laue_field);
std::int32_t centering_code_of(const FixedText& centering_field);

// Sets `laue_code` and `centering_code` from the fields the P4P file gave.
void derive_lattice_codes(SetupRecord& record);

// A note for each of the two fields that holds text its table does not know
// (a bare "2/m", a lone "R", lower case): its code is 0, as for a blank one.
void note_unknown_symbols(const SetupRecord& record, Console& console);

}  // namespace korvaline
