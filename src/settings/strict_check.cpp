#include "settings/strict_check.hpp"

#include "core/failure.hpp"

namespace korvaline {

void refuse_if_noted(Console& console, const std::string& pending_note) {
    if (!pending_note.empty()) {
        console.note(pending_note);
    }
    const std::size_t notes = console.notes_given();
    if (notes == 0) {
        return;
    }
    std::string message = "not written under --strict: " + console.first_note();
    if (notes > 1) {
        const std::size_t more = notes - 1;
        message += " (and " + std::to_string(more) + " more note" + (more == 1 ? "" : "s") + ")";
    }
    throw Failure(message);
}

}  // namespace korvaline
