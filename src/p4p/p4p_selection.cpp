#include "p4p/p4p_selection.hpp"

#include <string>

#include "console/cut_name_note.hpp"
#include "core/file_names.hpp"

namespace korvaline {

namespace {

bool user_accepts_default(const RunEntry& first_run, Console& console) {
    console.announce("Is THIS P4P FILE CORRECT? [ " + default_p4p_name(first_run.base_name) +
                     " <Y/N> ]:");
    FixedText answer(1);
    // Only the first character counts: the rest of the reply is no cut name.
    console.read_answer(answer, "the answer to the P4P file offer");
    return answer.equals("Y") || answer.equals("y");
}

// Reads a typed name into `p4p_name`.
void read_name(FixedText& p4p_name, std::string_view awaited, Console& console) {
    const bool cut = console.read_answer(p4p_name, awaited);
    note_if_cut(p4p_name, p4p_name.trimmed(), cut, console);
}

}  // namespace

void select_p4p_file(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    const RunEntry& first_run = record.run(1);
    if (first_run.is_present()) {
        if (user_accepts_default(first_run, console)) {
            const std::string offered = default_p4p_name(first_run.base_name);
            record.p4p_name.assign(offered);
            note_if_cut(record.p4p_name, offered, false, console);
        } else {
            console.announce("NOW INPUT A NEW P4P FILE:");
            read_name(record.p4p_name, "a new P4P file name", console);
        }
    }
    while (!exists(record.p4p_name)) {
        console.announce("P4P FILE NOT EXISTING, INPUT ANOTHER FILE:");
        read_name(record.p4p_name, "another P4P file name", console);
    }
}

}  // namespace korvaline
