#include "settings/strict_check.hpp"

#include <algorithm>

#include "core/failure.hpp"

namespace korvaline {

bool Strictness::accepts(std::string_view name) const {
    return std::find(accepted.begin(), accepted.end(), name) != accepted.end();
}

bool lets_save(const Console& console, const Note& pending, const Strictness& strictness) {
    const auto accepted = [&strictness](const Note& note) {
        return note.text.empty() || strictness.accepts(note.name);
    };
    return std::ranges::all_of(console.notes_given(), accepted) && accepted(pending);
}

void refuse_if_noted(Console& console, const Note& pending, const Strictness& strictness) {
    if (!strictness.strict) {
        return;
    }
    if (!pending.text.empty()) {
        console.note(pending);
    }
    std::vector<const Note*> refused;
    for (const Note& note : console.notes_given()) {
        if (!strictness.accepts(note.name)) {
            refused.push_back(&note);
        }
    }
    if (refused.empty()) {
        return;
    }
    std::string message = "not written under --strict: " + refused.front()->text + " [" +
                          std::string(refused.front()->name) + "]";
    if (refused.size() > 1) {
        const std::size_t more = refused.size() - 1;
        message += " (and " + std::to_string(more) + " more note" + (more == 1 ? "" : "s") + ")";
    }
    throw Failure(message);
}

}  // namespace korvaline
