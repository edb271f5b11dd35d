// Runs that end in a failure, or that must survive hostile input, and that a
// directory of expected files cannot describe.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "program_run.hpp"

namespace korvaline::e2e {
namespace {

TEST(FailureTest, LostWriteToStandardOutputIsAFailure) {
    Workspace workspace;
    make_frames(workspace.dir(), "abc1", 1, 3);
    const RunResult result =
        run_program(workspace, {.input = "abc\ny\n", .output_path = "/dev/full"});
    EXPECT_NE(result.exit_status, 0);
    EXPECT_EQ(result.errors,
              "korvaline: cannot write to standard output: No space left on device\n");
}

TEST(FailureTest, HundredMillionByteLineKeepsMemorySmall) {
#if defined(KORVALINE_SANITIZED)
    GTEST_SKIP() << "memory is not measured under the address sanitizer";
#endif
    Workspace workspace;
    make_frames(workspace.dir(), "abc1", 1, 2);
    const std::string long_line = "abc" + std::string(100'000'000 - 3, ' ');
    const RunResult result =
        run_program(workspace, {.input = long_line + "\n", .measure_memory = true});
    EXPECT_NE(result.output.find(" SORTING FRAME FILES: abc1.001 =>   2\n"), std::string::npos)
        << result.output;
    EXPECT_GT(result.peak_memory_kib, 0);
    EXPECT_LT(result.peak_memory_kib, 8 * 1024);
}

}  // namespace
}  // namespace korvaline::e2e

namespace korvaline::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kP4p = "TITLE Test compound\nSYMM   mmm\n";

// A project abc with two frames in run 1 and its P4P file.
void lay_out_project(const Workspace& workspace) {
    make_frames(workspace.dir(), "abc1", 1, 2);
    write_file(workspace.dir() / "abc1.p4p", kP4p);
}

bool running_as_root() {
    return ::geteuid() == 0;
}

TEST(FailureTest, FailedSaveLeavesTheOldSaintIniAndNoTemporaryFile) {
    // The file-size limit's signal ignored by the caller, and at its default.
    for (const bool caller_ignores_signal : {true, false}) {
        SCOPED_TRACE(caller_ignores_signal ? "SIGXFSZ ignored" : "SIGXFSZ at default");
        Workspace workspace;
        lay_out_project(workspace);
        const std::string old_settings = " \n[SAINT]\nVERSION=an older run\n";
        write_file(workspace.dir() / "saint.ini", old_settings);
        const auto names_before = list_names(workspace.dir());

        const RunResult result =
            run_program(workspace, {.input = "abc\ny\n",
                                    .file_size_limit = 1000,
                                    .ignore_file_size_signal = caller_ignores_signal});

        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.errors, "korvaline: cannot write saint.ini: File too large\n");
        EXPECT_EQ(result.output.find("READY"), std::string::npos);
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini"), old_settings);
        EXPECT_EQ(list_names(workspace.dir()), names_before);
    }
}

// A file system of two pages, mounted over the run's directory while it lives.
class TinyFileSystem {
  public:
    explicit TinyFileSystem(const fs::path& dir) : dir_(dir) {
        mounted_ = ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=8k") == 0;
    }
    ~TinyFileSystem() {
        if (mounted_) {
            ::umount(dir_.c_str());
        }
    }
    bool mounted() const { return mounted_; }

  private:
    fs::path dir_;
    bool mounted_ = false;
};

TEST(FailureTest, FullDiskWhileSavingLeavesTheOldSaintIni) {
    Workspace workspace;
    const TinyFileSystem disk(workspace.dir());
    if (!disk.mounted()) {
        GTEST_SKIP() << "no permission to mount a small file system";
    }
    lay_out_project(workspace);  // the P4P file takes one page
    const std::string old_settings = " \n[SAINT]\n";
    write_file(workspace.dir() / "saint.ini", old_settings);  // and this the other
    const auto names_before = list_names(workspace.dir());

    const RunResult result = run_program(workspace, {.input = "abc\ny\n"});

    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.errors, "korvaline: cannot write saint.ini: No space left on device\n");
    EXPECT_EQ(read_file(workspace.dir() / "saint.ini"), old_settings);
    EXPECT_EQ(list_names(workspace.dir()), names_before);
}

TEST(FailureTest, SavedSaintIniKeepsThePermissionsOfTheOldOne) {
    Workspace workspace;
    lay_out_project(workspace);
    write_file(workspace.dir() / "saint.ini", "old\n");
    fs::permissions(workspace.dir() / "saint.ini", fs::perms(0640));

    const RunResult result = run_program(workspace, {.input = "abc\ny\n"});

    EXPECT_EQ(result.exit_status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(fs::status(workspace.dir() / "saint.ini").permissions(), fs::perms(0640));
    EXPECT_NE(read_file(workspace.dir() / "saint.ini"), "old\n");
}

TEST(FailureTest, UnwritableSaintIniIsAFailure) {
    if (running_as_root()) {
        GTEST_SKIP() << "root may write any file";
    }
    Workspace workspace;
    lay_out_project(workspace);
    write_file(workspace.dir() / "saint.ini", "old\n");
    fs::permissions(workspace.dir() / "saint.ini", fs::perms(0444));

    const RunResult result = run_program(workspace, {.input = "abc\ny\n"});

    EXPECT_NE(result.exit_status, 0);
    EXPECT_EQ(result.errors, "korvaline: cannot replace saint.ini: Permission denied\n");
    EXPECT_EQ(read_file(workspace.dir() / "saint.ini"), "old\n");
}

TEST(FailureTest, UnreadableP4pFileIsAFailure) {
    if (running_as_root()) {
        GTEST_SKIP() << "root may read any file";
    }
    Workspace workspace;
    lay_out_project(workspace);
    fs::permissions(workspace.dir() / "abc1.p4p", fs::perms::none);

    const RunResult result = run_program(workspace, {.input = "abc\ny\n"});

    EXPECT_NE(result.exit_status, 0);
    EXPECT_EQ(result.errors, "korvaline: cannot open P4P file 'abc1.p4p': Permission denied\n");
    EXPECT_FALSE(fs::exists(workspace.dir() / "saint.ini"));
}

TEST(FailureTest, NamesHoldingANulByteDoNotExist) {
    Workspace workspace;
    lay_out_project(workspace);
    // "abc" followed by NUL would name abc1.001 to a C path call.
    const std::string typed = std::string("abc\0x\n", 6) + "abc\n" + "n\n" +
                              std::string("abc1.p4p\0\n", 10) + "abc1.p4p\n";

    const RunResult result = run_program(workspace, {.input = typed});

    EXPECT_EQ(result.exit_status, 0) << result.errors;
    EXPECT_NE(
        result.output.find(
            "\n SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:\n\n Initializing"),
        std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("\n P4P FILE NOT EXISTING, INPUT ANOTHER FILE:\n"),
              std::string::npos)
        << result.output;
    EXPECT_TRUE(fs::exists(workspace.dir() / "saint.ini"));
}

}  // namespace
}  // namespace korvaline::e2e
