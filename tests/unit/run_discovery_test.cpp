#include "frames/run_discovery.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fields.hpp"
#include "scripted_console.hpp"

namespace korvaline {
namespace {

using Names = std::vector<std::string>;

Names operator+(Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Discovery {
    SetupRecord record;
    std::string output;
    Names asked;  // every name given to the existence test, in order
    std::string notes;
};

// The first frames of runs 5 to 9, which are looked up for a note.
Names beyond_four(const std::string& project) {
    Names names;
    for (const char run : {'5', '6', '7', '8', '9'}) {
        names.push_back((project + run + ".001").substr(0, 20));
    }
    return names;
}

// Discovery where `files` exist for a look-up, and the listing of their
// directory holds `listed` for certain.
Discovery discover(const std::string& project, const Names& files, const Names& listed = {}) {
    ScriptedConsole scripted("", {files.begin(), files.end()});
    Discovery result;
    result.record.project_name.assign(project);
    discover_runs(result.record, scripted.console, scripted.exists(),
                  [&listed](const FixedText& listed_project) {
                      ListedFrames frames(listed_project);
                      for (const std::string& name : listed) {
                          frames.add(name);
                      }
                      return frames;
                  });
    result.output = scripted.output();
    result.asked = scripted.asked;
    result.notes = scripted.notes;
    return result;
}

TEST(RunDiscoveryTest, FindsRunsCountsFramesAndAsksEachNameOnce) {
    const Names p16(9, "abcdefghijklmnop1.00");
    const std::string p20 = "abcdefghijklmnopqrst";
    const struct {
        std::string what;
        std::string project;
        Names files;
        std::string output;
        Names asked;
        std::int32_t counts[4];
        std::int32_t last_run;
        std::string notes;
        Names listed = {};  // what the listing shows for certain
    } cases[] = {
        {"two runs",
         "abc",
         frame_series("abc1", 1, 12) + frame_series("abc2", 1, 7),
         " SORTING FRAME FILES: abc1.001 =>  12\n"
         " SORTING FRAME FILES: abc2.001 =>   7\n",
         frame_series("abc1", 1, 14) + frame_series("abc2", 1, 9) + Names{"abc3.001", "abc4.001"} +
             beyond_four("abc"),
         {12, 7, 0, 0},
         2,
         ""},
        {"gap ends a count; run 3 without run 2",
         "abc",
         frame_series("abc1", 1, 5) + frame_series("abc1", 7, 7) + frame_series("abc3", 1, 1),
         " SORTING FRAME FILES: abc1.001 =>   5\n"
         " SORTING FRAME FILES: abc3.001 =>   1\n",
         frame_series("abc1", 1, 7) +
             Names{"abc2.001", "abc3.001", "abc3.002", "abc3.003", "abc4.001"} + beyond_four("abc"),
         {5, 0, 1, 0},
         3,
         "korvaline: note: run 1 stops at frame 5: abc1.006 is missing but abc1.007 exists "
         "[frame-gap]\n"},
        {"run without frame 001 is absent",
         "abc",
         frame_series("abc1", 1, 1) + frame_series("abc2", 2, 3),
         " SORTING FRAME FILES: abc1.001 =>   1\n",
         Names{"abc1.001", "abc1.002", "abc1.003", "abc2.001", "abc3.001", "abc4.001"} +
             beyond_four("abc"),
         {1, 0, 0, 0},
         1,
         ""},
        {"counting stops at 999",
         "abc",
         frame_series("abc4", 1, 999) + frame_series("abc1", 1, 1),
         " SORTING FRAME FILES: abc1.001 =>   1\n"
         " SORTING FRAME FILES: abc4.001 => 999\n",
         Names{"abc1.001", "abc1.002", "abc1.003", "abc2.001", "abc3.001"} +
             frame_series("abc4", 1, 999) + beyond_four("abc"),
         {1, 0, 0, 999},
         4,
         ""},
        {"empty project name",
         "",
         Names{"1.001", "1.002"},
         " SORTING FRAME FILES: 1.001 =>   2\n",
         Names{"1.001", "1.002", "1.003", "1.004", "2.001", "3.001", "4.001"} + beyond_four(""),
         {2, 0, 0, 0},
         1,
         ""},
        {"16 characters share cut names",
         "abcdefghijklmnop",
         Names{"abcdefghijklmnop1.00"},
         " SORTING FRAME FILES: abcdefghijklmnop1.001 =>   9\n",
         p16 +
             Names{"abcdefghijklmnop1.01", "abcdefghijklmnop1.01", "abcdefghijklmnop2.00",
                   "abcdefghijklmnop3.00", "abcdefghijklmnop4.00"} +
             beyond_four("abcdefghijklmnop"),
         {9, 0, 0, 0},
         1,
         ""},
        {"20 characters cut the run digit",
         p20,
         Names{p20},
         " SORTING FRAME FILES: " + p20 + ".001 => 999\n" + " SORTING FRAME FILES: " + p20 +
             ".001 => 999\n" + " SORTING FRAME FILES: " + p20 + ".001 => 999\n" +
             " SORTING FRAME FILES: " + p20 + ".001 => 999\n",
         Names(4 * 999, p20),
         {999, 999, 999, 999},
         4,
         ""},
        // A name the listing shows is not looked up; one it does not show
        // is, and a look-up that finds it counts (a case-insensitive file
        // system, a name made since the listing). Runs 5 to 9 are noted.
        {"listing and look-ups together",
         "abc",
         frame_series("abc1", 3, 3) + frame_series("abc1", 5, 5) + Names{"abc9.001"},
         " SORTING FRAME FILES: abc1.001 =>   3\n"
         " SORTING FRAME FILES: abc2.001 =>   1\n",
         Names{"abc1.003", "abc1.004", "abc1.005", "abc2.002", "abc2.003", "abc3.001", "abc4.001",
               "abc6.001", "abc7.001", "abc8.001", "abc9.001"},
         {3, 1, 0, 0},
         2,
         "korvaline: note: run 1 stops at frame 3: abc1.004 is missing but abc1.005 exists "
         "[frame-gap]\n"
         "korvaline: note: abc5.001 exists, but saint.ini has places for runs 1 to 4 only; "
         "run 5 is not integrated [runs-beyond-4]\n"
         "korvaline: note: abc9.001 exists, but saint.ini has places for runs 1 to 4 only; "
         "run 9 is not integrated [runs-beyond-4]\n",
         Names{"abc1.001", "abc1.002", "abc2.001", "abc5.001", "abc1.p4p", "abc10.001", "abc1.0010",
               "xabc1.003", "abc1.0a3", "abc1_004"}},
        // Cut at 20 characters, one listed name stands for frames 1 to 9.
        {"a listed cut name",
         "abcdefghijklmnop",
         Names{},
         " SORTING FRAME FILES: abcdefghijklmnop1.001 =>   9\n",
         Names{"abcdefghijklmnop1.01", "abcdefghijklmnop1.01", "abcdefghijklmnop2.00",
               "abcdefghijklmnop3.00", "abcdefghijklmnop4.00"} +
             beyond_four("abcdefghijklmnop"),
         {9, 0, 0, 0},
         1,
         "",
         Names{"abcdefghijklmnop1.00", "abcdefghijklmnop1.001"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Discovery found = discover(c.project, c.files, c.listed);
        EXPECT_EQ(found.output, c.output);
        EXPECT_EQ(found.asked, c.asked);
        EXPECT_EQ(found.record.last_run, c.last_run);
        EXPECT_EQ(found.notes, c.notes);
        for (int number = 1; number <= 4; ++number) {
            const RunEntry& run = found.record.run(number);
            const std::int32_t count = c.counts[number - 1];
            EXPECT_EQ(run.frame_count, count) << "run " << number;
            EXPECT_EQ(run.is_present(), count > 0) << "run " << number;
            EXPECT_EQ(run.present.trimmed(), count > 0 ? "T" : "F") << "run " << number;
            if (count == 0) {
                EXPECT_EQ(run.base_name.trimmed(), "") << "run " << number;
            }
        }
    }
}

TEST(RunDiscoveryTest, BaseNamesAreProjectAndDigitCutAtTwenty) {
    const Discovery found = discover("  x y", Names{"  x y1.001", "  x y3.001"});
    EXPECT_EQ(found.record.run(1).base_name.trimmed(), "  x y1");
    EXPECT_EQ(found.record.run(3).base_name.trimmed(), "  x y3");
    const Discovery cut = discover("abcdefghijklmnopqrst", Names{"abcdefghijklmnopqrst"});
    EXPECT_EQ(cut.record.run(2).base_name.trimmed(), "abcdefghijklmnopqrst");
}

}  // namespace
}  // namespace korvaline
