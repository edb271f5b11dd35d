// Runs that nobody watches: under --strict every note stops the save, and the
// old saint.ini is kept whole, with nothing made beside it.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "program_run.hpp"

namespace korvaline::e2e {
namespace {

namespace fs = std::filesystem;

TEST(StrictTest, EveryNoteLeavesTheOldFileAndFails) {
    const std::string p4p = "TITLE Test compound\nSYMM   mmm\n";
    const std::string cu_p4p = "SOURCE  CU  1.54184\n" + p4p;
    const std::string old_file = " \n[SAINT]\nNROWS=1\n";  // an instrument value by hand
    const struct {
        std::vector<std::string> arguments;
        std::string p4p;
        std::string frames;  // a frame made beside abc1.001 and abc1.002
        std::string first_note;
        int more_notes;
        std::string folder_profile = "";  // the crystal folder's korvaline.ini, where one is made
    } cases[] = {
        {{}, p4p, "", "the old saint.ini had other values in 1 line (NROWS); they would be", 0},
        {{}, cu_p4p, "", "abc1.p4p gives the source CU, 1.54184 A, but saint.ini gets", 1},
        {{"--accept=wavelength"}, cu_p4p, "", "the old saint.ini had other values in 1 line", 0},
        {{"--profile=lab.ini"}, p4p, "", "abc1.p4p names no X-ray source; only the common", 1},
        {{},
         cu_p4p,
         "",
         "the old saint.ini had other values",
         0,
         "[KORVALINE]\nACCEPT=wavelength\n"},
        {{"--profile=lab.ini"},
         p4p,
         "",
         "the old saint.ini had other values",
         0,
         "[KORVALINE]\nSOURCE=cu\n"},
        {{"--profile=lab.ini"},
         "SOURCE  MO  0.71073\n" + p4p,
         "",
         "the old saint.ini had other",
         0,
         "[KORVALINE]\nSOURCE=CU\n"},
        {{"--source=Cu"}, "SOURCE  MO  0.71073\n" + p4p, "", "abc1.p4p names the source MO", 1},
        {{"--source=cu", "--set=SCALE_WAVE=1.54184"}, p4p, "abc1.004", "run 1 stops at frame", 1},
        {{}, "SOURCE  12  1.5\nSYMM   xyz\n", "", "abc1.p4p:1: the SOURCE line does not", 2},
        {{"--set=NROWS=1"},
         "TITLE " + std::string(30, 'x') + "\nSYMM   mmm\n",
         "",
         "P4P file 'abc1.p4p': its title is cut",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first_note);
        Workspace workspace;
        make_frames(workspace.dir(), "abc1", 1, 2);
        if (!c.frames.empty()) {
            write_file(workspace.dir() / c.frames, "");
        }
        write_file(workspace.dir() / "abc1.p4p", c.p4p);
        write_file(workspace.dir() / "lab.ini", "[SCALE:CU]\nSCALE_WAVE=1.54184\n");
        write_file(workspace.dir() / "saint.ini", old_file);
        if (!c.folder_profile.empty()) {
            write_file(workspace.dir() / "korvaline.ini", c.folder_profile);
        }
        const auto names_before = list_names(workspace.dir());
        std::vector<std::string> arguments = {"-p", "abc", "-y", "--strict", "--backup"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());

        const RunResult result = run_program(workspace, {.arguments = arguments});

        EXPECT_EQ(result.exit_status, 1);
        const std::string failure = "korvaline: not written under --strict: " + c.first_note;
        EXPECT_NE(result.errors.find(failure), std::string::npos) << result.errors;
        const std::string more = " (and " + std::to_string(c.more_notes) + " more note";
        EXPECT_EQ(result.errors.find(more) != std::string::npos, c.more_notes > 0) << result.errors;
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini"), old_file);
        EXPECT_EQ(list_names(workspace.dir()), names_before);
        EXPECT_EQ(result.output.find("SAVING"), std::string::npos);
        // Named with the profiles only where the profile's source is the one used.
        const std::size_t named = result.output.find(" X-RAY SOURCE: CU (from ");
        EXPECT_EQ(named != std::string::npos, c.folder_profile.ends_with("SOURCE=cu\n"));
        EXPECT_TRUE(named == std::string::npos ||
                    result.output.find("korvaline.ini:2)\n", named) != std::string::npos);
    }
}

// A collection still being written is left alone: only the newest of the P4P
// file and each run's last frame counts, by whole minutes.
TEST(SettledTest, ANewLastFrameOrP4PFileFailsTheRun) {
    const std::string old_file = "[SAINT]\nNROWS=1\n";
    const struct {
        std::string option;
        std::string file;  // modified `age` seconds ago; every other file two hours ago
        int age;
        std::string failure;  // none for a run that succeeds
    } cases[] = {
        {"--settled=10", "abc2.012", 190, "abc2.012 was written 3 minutes ago"},
        {"--settled=2", "abc1.003", 90, "abc1.003 was written 1 minute ago"},
        {"--settled=10", "abc1.p4p", 30, "abc1.p4p was written less than a minute ago"},
        {"--settled=10", "abc1.003", -3600, "abc1.003 was written less than a minute ago"},
        {"--settled=10", "abc2.012", 605, ""},
        {"--settled=0", "abc2.012", 0, ""},
        {"--settled=10", "abc2.011", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option + " " + c.file);
        Workspace workspace;
        make_frames(workspace.dir(), "abc1", 1, 3);
        make_frames(workspace.dir(), "abc2", 1, 12);
        write_file(workspace.dir() / "abc1.p4p", "TITLE Test compound\nSYMM   mmm\n");
        write_file(workspace.dir() / "saint.ini", old_file);
        const auto now = fs::file_time_type::clock::now();
        for (const auto& entry : fs::directory_iterator(workspace.dir())) {
            fs::last_write_time(entry.path(), now - std::chrono::hours(2));
        }
        fs::last_write_time(workspace.dir() / c.file, now - std::chrono::seconds(c.age));

        const RunResult result =
            run_program(workspace, {.arguments = {"--find-project", "-y", c.option}});

        const std::string expected =
            c.failure.empty() ? ""
                              : "korvaline: " + c.failure +
                                    "; the collection may still be running (" + c.option + ")\n";
        EXPECT_EQ(result.exit_status, c.failure.empty() ? 0 : 1);
        EXPECT_EQ(result.errors.substr(0, result.errors.find("korvaline: note: ")), expected);
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini") == old_file, !c.failure.empty());
    }
}

}  // namespace
}  // namespace korvaline::e2e
