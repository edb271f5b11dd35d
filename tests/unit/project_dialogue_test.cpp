#include "setup/project_dialogue.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "failure_message.hpp"
#include "scripted_console.hpp"

namespace korvaline {
namespace {

struct Dialogue {
    SetupRecord record;
    std::string output;
    std::vector<std::string> asked;
};

// Runs the project dialogue on `typed`; only `existing` exists.
Dialogue ask(const std::string& typed, const std::string& existing) {
    ScriptedConsole scripted(typed, {existing});
    Dialogue result;
    ask_project_name(result.record, scripted.console, scripted.exists());
    result.output = scripted.output();
    result.asked = scripted.asked;
    return result;
}

TEST(ProjectDialogueTest, TestNameIsTheFirstFrameCutAtTwenty) {
    const struct {
        std::string typed;
        std::string tested;
    } cases[] = {
        {"", "1.001               "},
        {"   ", "1.001               "},
        {"abc", "abc1.001            "},
        {"abc   ", "abc1.001            "},
        {" abc", " abc1.001           "},
        {"abcdefghijklmno", "abcdefghijklmno1.001"},
        {"abcdefghijklmnop", "abcdefghijklmnop1.00"},
        {"abcdefghijklmnopq", "abcdefghijklmnopq1.0"},
        {"abcdefghijklmnopqr", "abcdefghijklmnopqr1."},
        {"abcdefghijklmnopqrs", "abcdefghijklmnopqrs1"},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
        {"abc\r", "abc1.001            "},
    };
    for (const auto& c : cases) {
        const std::string existing = c.tested.substr(0, c.tested.find_last_not_of(' ') + 1);
        const Dialogue dialogue = ask(c.typed + "\n", existing);
        EXPECT_EQ(dialogue.asked, std::vector<std::string>{existing})
            << "typed '" << c.typed << "'";
        EXPECT_EQ(dialogue.output, "\n INPUT THE PROJECT NAME:\n");
    }
}

TEST(ProjectDialogueTest, AsksAgainUntilTheFirstFrameExists) {
    const Dialogue dialogue = ask("abcdefghijklmnop\nnope\nabc\nnever read\n", "abc1.001");
    EXPECT_EQ(dialogue.output,
              "\n INPUT THE PROJECT NAME:\n"
              "\n SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:\n"
              "\n SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:\n");
    EXPECT_EQ(dialogue.record.project_name.text(), "abc                 ");
    EXPECT_EQ(dialogue.asked.size(), 3u);
}

TEST(ProjectDialogueTest, EndOfInputIsAFailureNamingTheAnswer) {
    for (const std::string typed : {"", "nope\n"}) {
        EXPECT_EQ(failure_message([&] { ask(typed, "abc1.001"); }),
                  "standard input ended while waiting for the project name")
            << "typed '" << typed << "'";
    }
}

}  // namespace
}  // namespace korvaline
