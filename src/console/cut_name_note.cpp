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

bool holds_text_beyond(std::string_view answer, std::size_t width) {
    return answer.size() > width && answer.find_first_not_of(' ', width) != std::string_view::npos;
}

}  // namespace korvaline
