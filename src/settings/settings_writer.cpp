#include "settings/settings_writer.hpp"

#include "core/failure.hpp"
#include "core/utc_time.hpp"
#include "files/absolute_path.hpp"
#include "platform/file_facts.hpp"
#include "platform/sha256.hpp"
#include "settings/old_settings.hpp"
#include "settings/settings_file.hpp"
#include "settings/strict_check.hpp"

namespace korvaline {

namespace {

void note_if_not_empty(Console& console, const Note& note) {
    if (!note.text.empty()) {
        console.note(note);
    }
}

// Called with saint.ini already in place, after `note` on what it replaced: a
// lost message must not read as a lost file.
void tell_ready(const SettingsDestination& destination, Console& console, const Note& note) {
    try {
        note_if_not_empty(console, note);
        console.announce("KORVALINE IS READY TO LOAD saint PROGRAM...");
        console.flush();
    } catch (const Failure& lost) {
        throw Failure(destination.name() +
                      " has been written, but the closing message was lost: " + lost.message());
    }
}

// The P4P file as a block names it: its name, size and modification time.
std::string p4p_facts(const SetupRecord& record) {
    const std::string name = record.p4p_name.trimmed();
    std::optional<FileFacts> facts;
    try {
        facts = file_facts(name);
    } catch (const Failure&) {
        // Told as far as it can be: the save is made.
    }
    if (!facts) {
        return name;
    }
    return name + ", " + std::to_string(facts->size) + " bytes, modified " +
           iso_utc_time(facts->modified);
}

std::vector<std::string> runs_found(const SetupRecord& record) {
    std::vector<std::string> runs;
    for (int number = 1; number <= 4; ++number) {
        const RunEntry& run = record.run(number);
        if (run.is_present()) {
            runs.push_back(run.base_name.trimmed() + ", " + std::to_string(run.frame_count) +
                           (run.frame_count == 1 ? " frame" : " frames"));
        }
    }
    return runs;
}

// The save's block added to the log, the review's note among the notes as
// it is given next. A log that cannot be written is a note: the save stands.
void log_save(const ComposedSettings& settings, const SetupRecord& record,
              const SaveChoices& choices, const RunFacts& run, const std::string& backup,
              Console& console) {
    const std::string& name = choices.destination.name();
    SavedFile saved;
    saved.run = run;
    saved.file = absolute_path(name);
    saved.sha256 = sha256_hex(settings_text(settings.lines));
    saved.backup = backup.empty() ? "" : absolute_path(backup);
    saved.profiles = settings.profiles_used;
    saved.lines = settings.lines;
    saved.changed = choices.plan.review.changed;
    saved.p4p = p4p_facts(record);
    saved.runs = runs_found(record);
    for (const Note& note : console.notes_given()) {
        saved.notes.push_back(note.text + " [" + std::string(note.name) + "]");
    }
    const Note& pending = choices.plan.review.note;
    if (!pending.text.empty()) {
        saved.notes.push_back(pending.text + " [" + std::string(pending.name) + "]");
    }
    note_if_not_empty(console, {"log", choices.plan.log->append(log_block(saved), name)});
}

}  // namespace

void show_composition(const ComposedSettings& settings, Console& console) {
    for (const std::string& used : settings.profiles_used) {
        console.message(used);
    }
    for (const Note& note : settings.notes) {
        console.note(note);
    }
}

std::string origins_text(const std::vector<SaintIniLine>& lines) {
    std::string text;
    for (const SaintIniLine& line : lines) {
        text += printable(line.origin) + "\t" + line.text() + "\n";
    }
    return text;
}

SavePlan plan_save(const SettingsDestination& destination, const std::vector<SaintIniLine>& lines,
                   const StopsTheSave& stops_the_save, bool in_full) {
    SavePlan plan;
    // Standard output replaces nothing, and leaves no record.
    if (destination.is_standard_output()) {
        return plan;
    }
    const std::optional<OldSettings> old = old_settings(destination.name());
    if (old && old->whole && old->text == settings_text(lines)) {
        plan.review.unchanged = true;
        return plan;
    }
    if (is_named_as_the_log(destination.name())) {
        plan.review = review_old_file(old, lines, std::nullopt, destination.name(), stops_the_save);
        return plan;
    }
    SaveLog& log = plan.log.emplace(destination.name(), in_full);
    plan.review = review_old_file(old, lines, log.last_save_of(destination.name()),
                                  destination.name(), stops_the_save);
    return plan;
}

void save_settings(const ComposedSettings& settings, const SetupRecord& record,
                   const SaveChoices& choices, const RunFacts& run, Console& console) {
    console.announce("KORVALINE IS SAVING FILE...");
    console.flush();
    const OldFileReview& review = choices.plan.review;
    if (!review.unchanged) {
        SettingsFile file(choices.destination);
        note_if_not_empty(console, {"group-not-kept", file.note()});
        if (choices.plan.log) {
            note_if_not_empty(console, {"log", choices.plan.log->open()});
        }
        // A note that only making the new file can tell (a group that cannot
        // be kept, a log that cannot be opened) fails a strict run here, the
        // new file then removed unwritten, and an accepted note on the old
        // file told with them as what would have been replaced.
        refuse_if_noted(console, {review.note.name, review.text_if_kept}, choices.strictness);
        for (const SaintIniLine& line : settings.lines) {
            file.write_line(line.text());
        }
        file.close(choices.backup);
        if (choices.plan.log) {
            log_save(settings, record, choices, run, file.backup_made(), console);
        }
    }
    tell_ready(choices.destination, console, review.note);
}

}  // namespace korvaline
