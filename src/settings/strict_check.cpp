#include "settings/strict_check.hpp"

#include <algorithm>

#include "core/failure.hpp"

namespace korvaline {

bool Strictness::accepts(std::string_view name) const {
    return std::find(accepted.begin(), accepted.end(), name) != accepted.end();
}

bool note_stops_the_save(const Console& console, std::string_view name,
                         const Strictness& strictness) {
    if (!strictness.strict || !strictness.accepts(name)) {
        return strictness.strict;
    }
    const std::vector<Note>& given = console.notes_given();
    return std::any_of(given.begin(), given.end(),
                       [&](const Note& note) { return !strictness.accepts(note.name); });
}

void refuse_if_noted(Console& console, const Note& pending, const Strictness& strictness) {
    if (!strictness.strict) {
        return;
    }
    const auto refused_by_name = [&](const Note& note) { return !strictness.accepts(note.name); };
    const std::vector<Note>& given = console.notes_given();
    const bool pending_refused = !pending.text.empty() && refused_by_name(pending);
    if (!pending_refused && std::none_of(given.begin(), given.end(), refused_by_name)) {
        return;
    }
    if (!pending.text.empty()) {
        console.note(pending);
    }
    std::vector<const Note*> refused;
    for (const Note& note : console.notes_given()) {
        if (refused_by_name(note)) {
            refused.push_back(&note);
        }
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
