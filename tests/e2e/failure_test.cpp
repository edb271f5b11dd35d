// Runs that end in a failure, or that must survive hostile input, and that a
// directory of expected files cannot describe.

#include <gtest/gtest.h>

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
#if defined(__SANITIZE_ADDRESS__)
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
