#include "settings/settings_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "failure_message.hpp"
#include "scratch_directory.hpp"

namespace korvaline {
namespace {

using SettingsFileTest = SaintIniTest;

TEST_F(SettingsFileTest, CloseReplacesTheOldFileWhole) {
    std::ofstream(path_, std::ios::binary) << std::string(10'000, 'x') << '\n';
    SettingsFile file(path_);
    for (const char* line : {" ", "[SAINT]", "NROWS=512", "NCOLS=512"}) {
        file.write_line(line);
    }
    file.close();
    EXPECT_EQ(content(path_), " \n[SAINT]\nNROWS=512\nNCOLS=512\n");
    EXPECT_EQ(entries(), 1u);
}

// Whatever gave it, a line that would break or shift saint.ini's lines, or
// cut it short where Ctrl-Z ends a text-mode read, stops the save; a tab is
// text.
TEST_F(SettingsFileTest, LineHoldingAControlCharacterIsRefused) {
    const std::string cases[][2] = {
        {"TITLE=a\rb", "holds a line ending"},
        {"TITLE=a\x1a", "holds the control character 0x1A"},
        {std::string("PARNAME=a\0b", 11), "holds the control character 0x00"},
        {"TITLE=\tb\x7f", "holds the control character 0x7F"},
        {"TITLE=a\tb", ""},
    };
    for (const auto& [line, why] : cases) {
        std::ofstream(path_, std::ios::binary) << "old\n";
        const std::string message = failure_message([&] {
            SettingsFile file(path_);
            file.write_line(line);
            file.close();
        });
        EXPECT_EQ(message, why.empty() ? "(no failure)"
                                       : "cannot write " + path_ + ": its line " +
                                             korvaline::quoted(line) + " " + why);
        EXPECT_EQ(content(path_), why.empty() ? line + "\n" : "old\n");
        EXPECT_EQ(entries(), 1u);
    }
}

TEST_F(SettingsFileTest, WithoutCloseNothingChangesAndNothingIsLeft) {
    std::ofstream(path_, std::ios::binary) << "old\n";
    {
        SettingsFile file(path_);
        file.write_line(" ");
        file.write_line(std::string(100'000, 'y'));
        EXPECT_EQ(entries(), 2u);  // saint.ini and the file being written
    }
    EXPECT_EQ(content(path_), "old\n");
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace korvaline
