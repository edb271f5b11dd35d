#include "settings/settings_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
// cut it short where Ctrl-Z ends a text-mode read, stops the save.
TEST_F(SettingsFileTest, LineHoldingAControlCharacterIsRefused) {
    for (const std::string line : {"TITLE=a\tb\x1a", "TITLE=\x7f"}) {
        SettingsFile file(path_);
        EXPECT_EQ(failure_message([&] { file.write_line(line); }),
                  "cannot write " + path_ + ": its line " + korvaline::quoted(line) +
                      " holds the control character 0x" + (line.size() == 7 ? "7F" : "1A"));
    }
    EXPECT_EQ(entries(), 0u);
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

// Each row starts from saint.ini ("old") and the names beside it, and saves
// "new" with a backup: the names afterwards, each with its contents.
TEST_F(SettingsFileTest, OldFileIsKeptAsTheBackupSays) {
    using Names = std::vector<std::string>;
    const BackupChoice simple{BackupControl::kSimple, "~"};
    const BackupChoice numbered{BackupControl::kNumbered, "~"};
    const BackupChoice existing{BackupControl::kExisting, ".bak"};
    const struct {
        BackupChoice backup;
        Names beside;  // each holding its own name
        Names after;   // "name=contents"
    } cases[] = {
        {{}, {}, {"saint.ini=new"}},
        {simple, {}, {"saint.ini=new", "saint.ini~=old"}},
        {simple, {"saint.ini~"}, {"saint.ini=new", "saint.ini~=old"}},
        {numbered,
         {"saint.ini.~2~", "saint.ini.~10~", "saint.ini.~x~", "saint.ini~"},
         {"saint.ini.~10~=saint.ini.~10~", "saint.ini.~11~=old", "saint.ini.~2~=saint.ini.~2~",
          "saint.ini.~x~=saint.ini.~x~", "saint.ini=new", "saint.ini~=saint.ini~"}},
        {existing, {}, {"saint.ini.bak=old", "saint.ini=new"}},
        {numbered,
         {"saint.ini.~1000000000~"},
         {"saint.ini.~1000000000~=saint.ini.~1000000000~", "saint.ini.~1000000001~=old",
          "saint.ini=new"}},
        {existing,
         {"saint.ini.~1~"},
         {"saint.ini.~1~=saint.ini.~1~", "saint.ini.~2~=old", "saint.ini=new"}},
        // Numbers of any length, compared as numbers.
        {numbered,
         {"saint.ini.~999999999999999999~", "saint.ini.~1000000000000000000~"},
         {"saint.ini.~1000000000000000000~=saint.ini.~1000000000000000000~",
          "saint.ini.~1000000000000000001~=old",
          "saint.ini.~999999999999999999~=saint.ini.~999999999999999999~", "saint.ini=new"}},
        {existing,
         {"saint.ini.~1234567890123456789~", "saint.ini.~99~"},
         {"saint.ini.~1234567890123456789~=saint.ini.~1234567890123456789~",
          "saint.ini.~1234567890123456790~=old", "saint.ini.~99~=saint.ini.~99~", "saint.ini=new"}},
        {numbered,
         {"saint.ini.~99999999999999999999~", "saint.ini.~0100~"},
         {"saint.ini.~0100~=saint.ini.~0100~", "saint.ini.~100000000000000000000~=old",
          "saint.ini.~99999999999999999999~=saint.ini.~99999999999999999999~", "saint.ini=new"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directory(dir_);
        std::ofstream(path_, std::ios::binary) << "old";
        for (const std::string& name : c.beside) {
            std::ofstream(dir_ / name, std::ios::binary) << name;
        }
        SettingsFile file(path_);
        file.write_line("new");
        file.close(c.backup);
        Names after;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            const std::string text = content(entry.path());
            after.push_back(entry.path().filename().string() + "=" +
                            text.substr(0, text.find('\n')));
        }
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, c.after) << testing::PrintToString(c.beside);
    }
    // A backup's name that is already a second link to the old file: rename
    // leaves both as they are, and nothing more is left.
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directory(dir_);
    std::ofstream(path_, std::ios::binary) << "new\n";
    std::filesystem::create_hard_link(path_, path_ + "~");
    SettingsFile file(path_);
    file.write_line("newer");
    file.close(simple);
    EXPECT_EQ(content(path_ + "~"), "new\n");
    EXPECT_EQ(entries(), 2u);
}

// A backup that cannot be made stops the save before the old file is
// touched, and leaves nothing behind.
TEST_F(SettingsFileTest, BackupThatCannotBeMadeKeepsTheOldFile) {
    std::ofstream(path_, std::ios::binary) << "old";
    std::filesystem::create_directory(dir_ / "saint.ini~");
    std::string message;
    {
        SettingsFile file(path_);
        file.write_line("new");
        message = failure_message([&] { file.close({BackupControl::kSimple, "~"}); });
    }
    EXPECT_TRUE(message.starts_with("cannot make the backup " + path_ + "~: ")) << message;
    EXPECT_EQ(content(path_), "old");
    EXPECT_EQ(entries(), 2u);
}

}  // namespace
}  // namespace korvaline
