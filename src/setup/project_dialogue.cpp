#include "setup/project_dialogue.hpp"

#include <string>

#include "console/cut_name_note.hpp"
#include "core/failure.hpp"
#include "core/file_names.hpp"

namespace korvaline {

namespace {

// The project's first frame as the file system is asked for it; a cut name
// is noted.
FixedText first_frame(const FixedText& project_name, bool answer_was_cut, Console& console) {
    const std::string wanted = first_frame_name(project_name);
    const FixedText tested = name_as_tested(wanted);
    note_if_cut(tested, wanted, answer_was_cut, console);
    return tested;
}

}  // namespace

void ask_project_name(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    console.announce("INPUT THE PROJECT NAME:");
    bool cut = console.read_answer(record.project_name, "the project name");
    FixedText tested = first_frame(record.project_name, cut, console);
    while (!exists(tested)) {
        console.announce("SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:");
        cut = console.read_answer(record.project_name, "the project name", &tested);
        tested = first_frame(record.project_name, cut, console);
    }
    note_cut_names_passed_over(console);
}

void take_project_name(SetupRecord& record, std::string_view given, Console& console,
                       const ExistenceTest& exists) {
    record.project_name.assign(given);
    const bool cut = holds_text_beyond(given, record.project_name.width());
    const FixedText tested = first_frame(record.project_name, cut, console);
    if (!exists(tested)) {
        throw Failure("no project " + quoted(record.project_name.trimmed()) +
                      " here: " + missing_here(tested));
    }
}

}  // namespace korvaline
