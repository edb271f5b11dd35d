#include "console/cut_name_note.hpp"

#include "core/failure.hpp"

namespace korvaline {

namespace {

constexpr std::string_view kCutNames = "cut-name";

}  // namespace

void note_if_cut(const FixedText& used, std::string_view wanted, bool answer_was_cut,
                 Console& console) {
    if (answer_was_cut || !used.equals(wanted)) {
        console.repeatable_note(kCutNames, "names are limited to " + std::to_string(used.width()) +
                                               " characters; looked for " + quoted(used.trimmed()));
    }
}

void note_cut_names_passed_over(Console& console) {
    console.note_repeats_passed_over(kCutNames, "answers were looked for under cut names");
}

}  // namespace korvaline
