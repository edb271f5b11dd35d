#include <cstdint>

#include "core/file_names.hpp"
#include "core/format_int.hpp"
#include "settings/saint_ini_rows.hpp"

namespace korvaline::saint_ini_rows {

namespace {

std::string base_name(const SetupRecord& record, int run_number) {
    return record.run(run_number).base_name.trimmed();
}

// "P4P file abc1.p4p:3"; without a line where the file itself is the value.
std::string p4p_line(const SetupRecord& record, std::size_t line) {
    std::string origin = "P4P file " + record.p4p_name.trimmed();
    return line == 0 ? origin : origin + ":" + std::to_string(line);
}

}  // namespace

std::string title(const SetupRecord& record, std::string_view /*argument*/) {
    return record.title.trimmed();
}

std::string p4p_name(const SetupRecord& record, std::string_view /*argument*/) {
    return record.p4p_name.trimmed();
}

std::string laue_symbol(const SetupRecord& record, std::string_view /*argument*/) {
    return record.laue_field.trimmed();
}

std::string laue_code(const SetupRecord& record, std::string_view /*argument*/) {
    return format_int(record.laue_code, 1);
}

std::string centering_code(const SetupRecord& record, std::string_view /*argument*/) {
    return format_int(record.centering_code, 1);
}

// The four runs, run 1 by its first frame; an absent run leaves its place
// between the commas empty.
std::string frame_names(const SetupRecord& record, std::string_view /*argument*/) {
    return frame_file_name(base_name(record, 1), 1) + ", " + base_name(record, 2) + ", " +
           base_name(record, 3) + ", " + base_name(record, 4);
}

// The four runs, run 1 by the file its frames are integrated into.
std::string output_names(const SetupRecord& record, std::string_view /*argument*/) {
    return work_file_name(base_name(record, 1), ".raw") + ", " + base_name(record, 2) + ", " +
           base_name(record, 3) + ", " + base_name(record, 4);
}

std::string frame_counts(const SetupRecord& record, std::string_view /*argument*/) {
    return format_int(record.run(1).frame_count, 3) + "," +
           format_int(record.run(2).frame_count, 3) + "," +
           format_int(record.run(3).frame_count, 3) + "," +
           format_int(record.run(4).frame_count, 3);
}

// The sort step's input from the run whose digit is `run_digit`, or "$NULL"
// for an absent run.
std::string sort_input(const SetupRecord& record, std::string_view run_digit) {
    const int number = run_digit.front() - '0';
    return record.run(number).is_present() ? work_file_name(base_name(record, number), ".raw")
                                           : "$NULL";
}

std::string project_work_file(const SetupRecord& record, std::string_view suffix) {
    return work_file_name(record.project_name.trimmed(), suffix);
}

// A work file of the highest run found: the project and that run's digit.
std::string last_run_work_file(const SetupRecord& record, std::string_view suffix) {
    return work_file_name(run_base_name(record.project_name, record.last_run), suffix);
}

// The words, then the project name in brackets: "Sort [abc]".
std::string project_title(const SetupRecord& record, std::string_view words) {
    return std::string(words) + "[" + record.project_name.trimmed() + "]";
}

std::string origin_of(BuildValue build, const SetupRecord& record) {
    const P4pLineNumbers& lines = record.p4p_lines;
    if (build == title) {
        return p4p_line(record, lines.title);
    }
    if (build == laue_symbol || build == laue_code) {
        return p4p_line(record, lines.symm);
    }
    if (build == centering_code) {
        return p4p_line(record, lines.bravais);
    }
    if (build == p4p_name) {
        return p4p_line(record, 0);
    }
    return "frames";
}

}  // namespace korvaline::saint_ini_rows
