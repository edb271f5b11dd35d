#include "settings/old_file_review.hpp"

#include "platform/sha256.hpp"
#include "settings/old_settings.hpp"

namespace korvaline {

std::string settings_text(const std::vector<SaintIniLine>& lines) {
    std::string text;
    for (const SaintIniLine& line : lines) {
        text += line.text();
        text += '\n';
    }
    return text;
}

OldFileReview review_old_file(const std::optional<OldSettings>& old,
                              const std::vector<SaintIniLine>& lines,
                              const std::optional<LastSave>& last_save,
                              const std::string& settings_name, bool before_the_save) {
    OldFileReview review;
    if (!old) {
        return review;
    }
    const std::string& old_bytes = old->text;
    if (old->whole && old_bytes == settings_text(lines)) {
        review.unchanged = true;
        return review;
    }
    if (!last_save) {
        review.note = {"old-values", replaced_values_note(
                                         old_bytes, lines, settings_name,
                                         before_the_save ? "would be replaced" : "are replaced")};
        return review;
    }
    const std::vector<const SaintIniLine*> differing = lines_not_in(old_bytes, lines);
    if (!old->whole || sha256_hex(old_bytes) != last_save->sha256) {
        review.note = {"hand-edit",
                       hand_edit_note(*last_save, differing, settings_name, before_the_save)};
        return review;
    }
    for (const SaintIniLine* line : differing) {
        review.changed.push_back(*line);
    }
    return review;
}

}  // namespace korvaline
