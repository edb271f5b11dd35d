#include "settings/saint_ini_lines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvaline {
namespace {

// Project abc: run 1 with 12 frames, run 3 with one, runs 2 and 4 absent.
SetupRecord runs_one_and_three() {
    SetupRecord record;
    record.project_name.assign("abc");
    record.run(1).present.assign("T");
    record.run(1).base_name.assign("abc1");
    record.run(1).frame_count = 12;
    record.run(3).present.assign("T");
    record.run(3).base_name.assign("abc3");
    record.run(3).frame_count = 1;
    record.last_run = 3;
    record.p4p_name.assign("abc1.p4p");
    record.title.assign("Test compound");
    record.laue_field.assign("mmm");
    record.laue_code = 5;
    record.centering_code = 3;
    return record;
}

const SaintIniLine* find_line(const std::vector<SaintIniLine>& lines, const std::string& section,
                              const std::string& key) {
    for (const SaintIniLine& line : lines) {
        if (line.section == section && line.key == key) {
            return &line;
        }
    }
    return nullptr;
}

TEST(SaintIniLinesTest, LinesBuiltFromTheRecord) {
    const std::vector<SaintIniLine> lines = saint_ini_lines(runs_one_and_three());
    const struct {
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        {"INTEGRATE", "TITLE", "Test compound"},
        {"INTEGRATE", "FRAMENAME", "abc1.001, , abc3, "},
        {"INTEGRATE", "PARNAME", "abc1.p4p"},
        {"INTEGRATE", "OUTNAME", "./work/abc1.raw, , abc3, "},
        {"INTEGRATE", "POINTGP", "mmm"},
        {"INTEGRATE", "NFRAMES", " 12,  0,  1,  0"},
        {"INTEGRATE", "ILATT", "3"},
        {"INTEGRATE", "LCRYST_SYS", "5"},
        {"INTEGRATE", "GCRYST_SYS", "5"},
        {"STAT", "STATTITLE", "Statistics from [abc]"},
        {"STAT", "STATLATT", "3"},
        {"SORT", "SORTIN01", "./work/abc1.raw"},
        {"SORT", "SORTIN02", "$NULL"},
        {"SORT", "SORTIN03", "./work/abc3.raw"},
        {"SORT", "SORTIN04", "$NULL"},
        {"SCALE", "SCALTITLE", "Scale [abc]"},
        {"GLOBAL", "GLOBLISTNAME", "./work/abc3._ls"},
        {"GLOBAL", "CRYST_SYS", "5"},
    };
    for (const auto& c : cases) {
        const SaintIniLine* line = find_line(lines, c.section, c.key);
        ASSERT_NE(line, nullptr) << c.section << " " << c.key;
        EXPECT_EQ(line->text(), c.key + "=" + c.value);
        EXPECT_FALSE(line->fixed) << c.key;
    }
}

// Each section opens with a separator and its header; a line said to be fixed
// reads the same whatever the record holds.
TEST(SaintIniLinesTest, SectionsInOrderAndFixedLinesAlike) {
    const std::vector<SaintIniLine> lines = saint_ini_lines(runs_one_and_three());
    const std::vector<SaintIniLine> empty = saint_ini_lines(SetupRecord{});
    ASSERT_EQ(lines.size(), 223u);
    ASSERT_EQ(empty.size(), 223u);
    std::vector<std::string> headers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == SaintIniLine::Kind::kHeader) {
            headers.push_back(lines[i].text());
            EXPECT_EQ(lines.at(i - 1).text(), " ");
        }
        EXPECT_EQ(lines[i].fixed, empty[i].fixed) << i + 1;
        if (lines[i].fixed) {
            EXPECT_EQ(lines[i].text(), empty[i].text()) << "line " << i + 1;
        }
    }
    EXPECT_EQ(headers, (std::vector<std::string>{"[SAINT]", "[CONFIGURE]", "[INTEGRATE]", "[STAT]",
                                                 "[SORT]", "[FILTER]", "[SCALE]", "[GLOBAL]"}));
}

}  // namespace
}  // namespace korvaline
