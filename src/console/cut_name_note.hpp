#pragma once

#include <string_view>

#include "console/console.hpp"
#include "core/fixed_text.hpp"

namespace korvaline {

// Names that the program tests or opens are held in 20 characters and cut
// there. When an answer leads to a cut name (the answer itself was longer
// than its field, or `wanted`, the name built from it, did not fit in
// `used`), one note on standard error tells the user the name actually used,
// so that "NOT EXISTING" for a file that does exist can be understood.
// An answer is typed again as often as input has lines: after the first
// few, such notes are counted, and this tells how many more there were.
void note_if_cut(const FixedText& used, std::string_view wanted, bool answer_was_cut,
                 Console& console);
void note_cut_names_passed_over(Console& console);

}  // namespace korvaline
