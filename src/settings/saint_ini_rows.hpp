#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/setup_record.hpp"

// The rows saint.ini is made from, shared by the files that hold its
// sections: the program's own, not for use outside saint.ini's lines.
namespace korvaline::saint_ini_rows {

// A value built from the record; `argument` is the row's text (a suffix, the
// words of a title, a run digit).
using BuildValue = std::string (*)(const SetupRecord& record, std::string_view argument);

// A key line: its value is `text` as it stands, or built from the record by
// `build` when the row has one.
struct KeyRow {
    std::string_view key;
    std::string_view text;
    BuildValue build = nullptr;
};

struct Section {
    std::string_view name;
    std::vector<KeyRow> rows;
};

// Where a built value comes from, as an origin says: "frames", or the P4P
// file and its line that gave the field ("P4P file abc1.p4p:3").
std::string origin_of(BuildValue build, const SetupRecord& record);

// The values built from the record.
std::string title(const SetupRecord& record, std::string_view argument);
std::string p4p_name(const SetupRecord& record, std::string_view argument);
std::string laue_symbol(const SetupRecord& record, std::string_view argument);
std::string laue_code(const SetupRecord& record, std::string_view argument);
std::string centering_code(const SetupRecord& record, std::string_view argument);
std::string frame_names(const SetupRecord& record, std::string_view argument);
std::string output_names(const SetupRecord& record, std::string_view argument);
std::string frame_counts(const SetupRecord& record, std::string_view argument);
std::string sort_input(const SetupRecord& record, std::string_view run_digit);
std::string project_work_file(const SetupRecord& record, std::string_view suffix);
std::string last_run_work_file(const SetupRecord& record, std::string_view suffix);
std::string project_title(const SetupRecord& record, std::string_view words);

// saint.ini's sections in order: those of the integration itself (SAINT,
// CONFIGURE, INTEGRATE), then those of the steps after it (STAT to GLOBAL).
const std::vector<Section>& integration_sections();
const std::vector<Section>& later_step_sections();

}  // namespace korvaline::saint_ini_rows
