#include "setup/project_dialogue.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "failure_message.hpp"
#include "platform/places.hpp"
#include "scripted_console.hpp"

namespace korvaline {
namespace {

struct Dialogue {
    SetupRecord record;
    std::string output;
    std::vector<std::string> asked;
    std::string notes;
};

// Runs the project dialogue on `typed`; only `existing` exists.
Dialogue ask(const std::string& typed, const std::string& existing) {
    ScriptedConsole scripted(typed, {existing});
    Dialogue result;
    ask_project_name(result.record, scripted.console, scripted.exists());
    result.output = scripted.output();
    result.asked = scripted.asked;
    result.notes = scripted.notes;
    return result;
}

TEST(ProjectDialogueTest, TestNameIsTheFirstFrameCutAtTwenty) {
    // A cut name is told in a note on standard error.
    const struct {
        std::string typed;
        std::string tested;
        bool noted;
    } cases[] = {
        {"", "1.001               ", false},
        {"   ", "1.001               ", false},
        {"abc", "abc1.001            ", false},
        {"abc   ", "abc1.001            ", false},
        {"abc" + std::string(100, ' '), "abc1.001            ", false},
        {" abc", " abc1.001           ", false},
        {"abcdefghijklmno", "abcdefghijklmno1.001", false},
        {"abcdefghijklmnop", "abcdefghijklmnop1.00", true},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst", true},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst", true},
        {"abc" + std::string(17, ' ') + "x", "abc1.001            ", true},
        {"abc\r", "abc1.001            ", false},
        {"abc\r\r", "abc1.001            ", false},
    };
    for (const auto& c : cases) {
        const std::string existing = c.tested.substr(0, c.tested.find_last_not_of(' ') + 1);
        const Dialogue dialogue = ask(c.typed + "\n", existing);
        EXPECT_EQ(dialogue.asked, std::vector<std::string>{existing})
            << "typed '" << c.typed << "'";
        EXPECT_EQ(dialogue.output, "\n INPUT THE PROJECT NAME:\n");
        EXPECT_EQ(dialogue.notes,
                  c.noted ? "korvaline: note: names are limited to 20 characters; looked for '" +
                                existing + "' [cut-name]\n"
                          : "")
            << "typed '" << c.typed << "'";
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

// After a name that was not found, the failure names the file looked for.
TEST(ProjectDialogueTest, EndOfInputIsAFailureNamingTheAnswerAndTheCause) {
    const std::string awaited = "standard input ended while waiting for the project name";
    const struct {
        std::string typed;
        std::string message;
    } cases[] = {
        {"", awaited},
        {"nope\n", awaited + "; nope1.001 does not exist in " + current_directory()},
        {"nope\nabcdefghijklmnopqrst\n",
         awaited + "; abcdefghijklmnopqrst does not exist in " + current_directory()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failure_message([&] { ask(c.typed, "abc1.001"); }), c.message)
            << "typed '" << c.typed << "'";
    }
}

}  // namespace
}  // namespace korvaline
