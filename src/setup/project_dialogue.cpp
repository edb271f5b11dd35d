#include "setup/project_dialogue.hpp"

#include <string>

#include "console/cut_name_note.hpp"
#include "core/file_names.hpp"

namespace korvaline {

namespace {

bool first_frame_exists(const FixedText& project_name, bool answer_was_cut, Console& console,
                        const ExistenceTest& exists) {
    const std::string wanted = first_frame_name(project_name);
    const FixedText test_name = name_as_tested(wanted);
    note_if_cut(test_name, wanted, answer_was_cut, console);
    return exists(test_name);
}

}  // namespace

void ask_project_name(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    console.announce("INPUT THE PROJECT NAME:");
    bool cut = console.read_answer(record.project_name, "the project name");
    while (!first_frame_exists(record.project_name, cut, console, exists)) {
        console.announce("SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:");
        cut = console.read_answer(record.project_name, "the project name");
    }
}

}  // namespace korvaline
