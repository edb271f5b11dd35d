#include "console/cut_name_note.hpp"

#include "core/failure.hpp"

namespace korvaline {

void note_if_cut(const FixedText& used, std::string_view wanted, bool answer_was_cut,
                 Console& console) {
    if (answer_was_cut || !used.equals(wanted)) {
        console.note("names are limited to " + std::to_string(used.width()) +
                     " characters; looked for " + quoted(used.trimmed()));
    }
}

}  // namespace korvaline
