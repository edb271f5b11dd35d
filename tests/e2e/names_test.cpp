// Typed names that must name no file on any system, though a file whose name
// they start with exists.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program_run.hpp"

namespace korvaline::e2e {
namespace {

namespace fs = std::filesystem;

TEST(NameTest, ProjectNameHoldingANulByteDoesNotExist) {
    Workspace workspace;
    lay_out_project(workspace);
    // "abc" followed by NUL would name abc1.001 to a C path call.
    const std::string typed = std::string("abc\0x\n", 6) + "abc\ny\n";

    const RunResult result = run_program(workspace, {.input = typed});

    EXPECT_EQ(result.exit_status, 0) << result.errors;
    EXPECT_NE(
        result.output.find(
            "\n SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:\n\n Initializing"),
        std::string::npos)
        << result.output;
    EXPECT_TRUE(fs::exists(workspace.dir() / "saint.ini"));
}

// Each name is refused once as naming no file; abc1.p4p, typed next, is taken.
TEST(NameTest, P4pNamesThatNameNoFileAreRefused) {
    const std::string names[] = {
        std::string("abc1.p4p\0", 9),  // a C path call would stop at the NUL
        std::string("abc1.p4p\0x", 10),
        "abc1.p4p/",   // a separator after a file's name
        "abc1.p4p\\",  // the same on Windows; on POSIX, a name of its own
    };
    const std::string refused = "\n P4P FILE NOT EXISTING, INPUT ANOTHER FILE:\n";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Workspace workspace;
        lay_out_project(workspace);

        const RunResult result =
            run_program(workspace, {.input = "abc\nn\n" + name + "\nabc1.p4p\n"});

        EXPECT_EQ(result.exit_status, 0) << result.errors;
        const auto first = result.output.find(refused);
        EXPECT_NE(first, std::string::npos) << result.output;
        EXPECT_EQ(result.output.find(refused, first + 1), std::string::npos) << result.output;
        EXPECT_NE(read_file(workspace.dir() / "saint.ini").find("\nPARNAME=abc1.p4p\n"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace korvaline::e2e
