#include "core/note_names.hpp"

namespace korvaline {

std::optional<NoteKind> note_kind_named(std::string_view name) {
    for (const NoteKind& kind : kNoteKinds) {
        if (kind.name == name) {
            return kind;
        }
    }
    return std::nullopt;
}

std::vector<std::string> note_names_in(std::string_view list, std::string& unknown) {
    std::vector<std::string> names;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view word = list.substr(0, comma);
        if (!note_kind_named(word)) {
            unknown = word;
            return {};
        }
        names.emplace_back(word);
        if (comma == std::string_view::npos) {
            return names;
        }
        list.remove_prefix(comma + 1);
    }
}

}  // namespace korvaline
