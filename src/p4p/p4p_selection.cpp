#include "p4p/p4p_selection.hpp"

#include <string>

#include "console/cut_name_note.hpp"
#include "core/failure.hpp"
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

// Reads a typed name into `p4p_name`; `looked_for_in_vain` is the name
// that was not found, if that is why the question is asked.
void read_name(FixedText& p4p_name, std::string_view awaited, Console& console,
               const FixedText* looked_for_in_vain = nullptr) {
    const bool cut = console.read_answer(p4p_name, awaited, looked_for_in_vain);
    note_if_cut(p4p_name, p4p_name.trimmed(), cut, console);
}

void take_offered(SetupRecord& record, Console& console) {
    const std::string offered = default_p4p_name(record.run(1).base_name);
    record.p4p_name.assign(offered);
    note_if_cut(record.p4p_name, offered, false, console);
}

}  // namespace

void select_p4p_file(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    const RunEntry& first_run = record.run(1);
    if (first_run.is_present()) {
        if (user_accepts_default(first_run, console)) {
            take_offered(record, console);
        } else {
            console.announce("NOW INPUT A NEW P4P FILE:");
            read_name(record.p4p_name, "a new P4P file name", console);
        }
    }
    while (!exists(record.p4p_name)) {
        const FixedText missing = record.p4p_name;
        console.announce("P4P FILE NOT EXISTING, INPUT ANOTHER FILE:");
        read_name(record.p4p_name, "another P4P file name", console, &missing);
    }
    note_cut_names_passed_over(console);
}

void take_p4p_file(SetupRecord& record, const GivenAnswers& given, Console& console,
                   const ExistenceTest& exists) {
    if (given.p4p_name) {
        record.p4p_name.assign(*given.p4p_name);
        const bool cut = holds_text_beyond(*given.p4p_name, record.p4p_name.width());
        note_if_cut(record.p4p_name, record.p4p_name.trimmed(), cut, console);
    } else {
        take_offered(record, console);
    }
    if (!exists(record.p4p_name)) {
        throw Failure("no P4P file here: " + missing_here(record.p4p_name));
    }
}

}  // namespace korvaline
