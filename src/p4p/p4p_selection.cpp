#include "p4p/p4p_selection.hpp"

#include <string>

namespace korvaline {

namespace {

bool user_accepts_default(const RunEntry& first_run, Console& console) {
    console.announce("Is THIS P4P FILE CORRECT? [ " + first_run.base_name.trimmed() +
                     ".p4p <Y/N> ]:");
    FixedText answer(1);
    console.read_answer(answer, "the answer to the P4P file offer");
    return answer.equals("Y") || answer.equals("y");
}

}  // namespace

void select_p4p_file(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    const RunEntry& first_run = record.run(1);
    if (first_run.is_present()) {
        if (user_accepts_default(first_run, console)) {
            record.p4p_name.assign(first_run.base_name.trimmed() + ".p4p");
        } else {
            console.announce("NOW INPUT A NEW P4P FILE:");
            console.read_answer(record.p4p_name, "a new P4P file name");
        }
    }
    while (!exists(record.p4p_name)) {
        console.announce("P4P FILE NOT EXISTING, INPUT ANOTHER FILE:");
        console.read_answer(record.p4p_name, "another P4P file name");
    }
}

}  // namespace korvaline
