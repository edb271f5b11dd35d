#include "setup/project_dialogue.hpp"

namespace korvaline {

namespace {

bool first_frame_exists(const FixedText& project_name, const ExistenceTest& exists) {
    FixedText test_name(20);
    test_name.assign(project_name.trimmed() + "1.001");
    return exists(test_name);
}

}  // namespace

void ask_project_name(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    console.announce("INPUT THE PROJECT NAME:");
    console.read_answer(record.project_name, "the project name");
    while (!first_frame_exists(record.project_name, exists)) {
        console.announce("SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:");
        console.read_answer(record.project_name, "the project name");
    }
}

}  // namespace korvaline
