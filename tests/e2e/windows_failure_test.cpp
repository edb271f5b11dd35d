// What only a Windows program meets, here under Wine: saint.ini held open by
// another program, and Ctrl-C (SIGINT, which Wine makes a console event).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>

#include "program_run.hpp"

namespace korvaline::e2e {
namespace {

// Waits until `file` holds `text`, for 20 s at most.
void wait_for(const std::filesystem::path& file, const std::string& text) {
    for (int look = 0; look < 2000 && read_file(file).find(text) == std::string::npos; ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(WindowsSaveTest, SaintIniIsNeverMissingWhileItIsReplaced) {
    Workspace workspace;
    lay_out_project(workspace);
    const std::string settings = (workspace.dir() / "saint.ini").string();
    write_file(settings, "old\n");
    std::atomic<int> saves = 0;
    std::thread saving([&] {
        for (; saves < 10; ++saves) {
            run_program(workspace, {.input = "abc\ny\n"});
        }
    });
    int misses = 0;
    for (struct stat info{}; saves < 10;) {
        misses += ::stat(settings.c_str(), &info) != 0 ? 1 : 0;
    }
    saving.join();
    EXPECT_EQ(misses, 0);
    EXPECT_NE(read_file(settings), "old\n");
}

// Another program holds saint.ini ("old\n") open from the start. Once the
// program shows `shown` and the pause is over, Ctrl-C is pressed or saint.ini
// let go. The old saint.ini stays whole unless the run succeeds.
TEST(WindowsSaveTest, CtrlCOrAHeldSaintIniLeavesOneWholeSaintIni) {
    const int ctrl_c = 0xC000013A & 0xFF;  // STATUS_CONTROL_C_EXIT, as Linux sees it
    const std::string failed = "korvaline: cannot replace saint.ini: ";
    enum Then { kCtrlC, kLetGo, kHoldOn };
    const struct {
        std::string input;
        std::string shown;
        int pause_ms;
        Then then;
        int status;
    } cases[] = {
        {"", "NAME:", 0, kCtrlC, ctrl_c},          {"abc\n", "<Y/N> ]:", 0, kCtrlC, ctrl_c},
        {"abc\ny\n", "SAVING", 0, kCtrlC, ctrl_c}, {"abc\ny\n", "SAVING", 300, kCtrlC, ctrl_c},
        {"abc\ny\n", "SAVING", 200, kLetGo, 0},    {"abc\ny\n", "SAVING", 0, kHoldOn, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown + ", then " + std::to_string(c.then));
        Workspace workspace;
        lay_out_project(workspace);
        write_file(workspace.dir() / "saint.ini", "old\n");
        // Wine's cmd holds saint.ini open for the redirection of `more`, which
        // waits for input until the test closes the pipe.
        const std::string said = (workspace.scratch() / "held").string();
        write_file(said, "");
        const std::string hold = "cd '" + workspace.dir().string() +
                                 "' && wine cmd /c 'echo held& more >nul 2>>saint.ini' >" + said;
        std::unique_ptr<FILE, int (*)(FILE*)> holding(::popen(hold.c_str(), "we"), ::pclose);
        wait_for(said, "held");
        const auto meanwhile = [&](pid_t program) {
            wait_for(workspace.scratch() / "stdout", c.shown);
            std::this_thread::sleep_for(std::chrono::milliseconds(c.pause_ms));
            if (c.then == kCtrlC) {
                ::kill(program, SIGINT);
            } else if (c.then == kLetGo) {
                holding.reset();
            }
        };

        const RunResult result = run_program(workspace, {.input = c.input, .meanwhile = meanwhile});

        EXPECT_EQ(result.exit_status, c.status);
        EXPECT_EQ(result.errors.substr(0, failed.size()), c.status == 1 ? failed : "");
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini") == "old\n", c.status != 0);
        // No temporary file; korvaline.log after a save.
        EXPECT_EQ(list_names(workspace.dir()).size(), c.status == 0 ? 5u : 4u);
    }
}

}  // namespace
}  // namespace korvaline::e2e
