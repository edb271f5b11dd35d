#include "settings/saint_ini_lines.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace korvaline {
namespace {

// Project abc: run 1 with 12 frames, run 3 with one, runs 2 and 4 absent.
SetupRecord runs_one_and_three() {
    SetupRecord record;
    record.project_name.assign("abc");
    for (const auto& [number, count] : {std::pair{1, 12}, std::pair{3, 1}}) {
        record.run(number).present.assign("T");
        record.run(number).base_name.assign("abc" + std::to_string(number));
        record.run(number).frame_count = count;
    }
    record.last_run = 3;
    record.title.assign("Test compound");
    record.laue_code = 5;
    record.centering_code = 3;
    record.p4p_name.assign("abc1.p4p");
    record.p4p_lines = {2, 5, 6, 0};
    return record;
}

// Each built line with what of the crystal gave it.
TEST(SaintIniLinesTest, LinesBuiltFromTheRecord) {
    const std::vector<SaintIniLine> lines = saint_ini_lines(runs_one_and_three());
    for (const auto& row : std::vector<std::pair<std::string, std::string>>{
             {"TITLE=Test compound", "P4P file abc1.p4p:2"},
             {"FRAMENAME=abc1.001, , abc3, ", "frames"},
             {"PARNAME=abc1.p4p", "P4P file abc1.p4p"},
             {"NFRAMES= 12,  0,  1,  0", "frames"},
             {"ILATT=3", "P4P file abc1.p4p:5"},
             {"LCRYST_SYS=5", "P4P file abc1.p4p:6"},
             {"STATTITLE=Statistics from [abc]", "frames"},
             {"SORTIN02=$NULL", "frames"},
             {"SORTIN03=./work/abc3.raw", "frames"},
             {"GLOBLISTNAME=./work/abc3._ls", "frames"}}) {
        const std::string& text = row.first;
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const SaintIniLine& built) {
            return built.text() == text;
        });
        ASSERT_NE(line, lines.end()) << text;
        EXPECT_FALSE(line->fixed) << text;
        EXPECT_FALSE(line->built_in_value) << text;
        EXPECT_EQ(line->origin, row.second) << text;
    }
}

// A line said to be fixed, which a profile may set, reads the same whatever
// the record holds (the golden files hold the sections and their order).
TEST(SaintIniLinesTest, FixedLinesAlikeForEveryRecord) {
    const std::vector<SaintIniLine> lines = saint_ini_lines(runs_one_and_three());
    const std::vector<SaintIniLine> empty = saint_ini_lines(SetupRecord{});
    ASSERT_EQ(lines.size(), 223u);
    ASSERT_EQ(empty.size(), 223u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].fixed, empty[i].fixed) << i + 1;
        EXPECT_EQ(lines[i].origin == "built-in", lines[i].fixed) << i + 1;
        if (lines[i].fixed) {
            EXPECT_EQ(lines[i].text(), empty[i].text()) << "line " << i + 1;
        }
    }
}

}  // namespace
}  // namespace korvaline
