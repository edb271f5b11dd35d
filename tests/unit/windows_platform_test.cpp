// What only Windows has: read-only attributes, names that ignore case, the
// backslash, and devices such as NUL and CON.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "failure_message.hpp"
#include "files/append_file.hpp"
#include "files/file_exists.hpp"
#include "files/input_file.hpp"
#include "platform/name_exists.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/code_pages.hpp"
#include "platform/windows/windows_api.hpp"
#include "scratch_directory.hpp"
#include "settings/settings_file.hpp"

namespace korvaline {
namespace {

namespace fs = std::filesystem;

void make_read_only(const std::string& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

using WindowsSettingsFileTest = SaintIniTest;

TEST_F(WindowsSettingsFileTest, WhatWindowsWillNotReplaceIsAFailure) {
    const std::string old_lines = "old\n";
    const std::string denied = system_error_text(ERROR_ACCESS_DENIED);
    const struct {
        std::string what;
        std::function<void(const std::string&)> make;
        std::string why;
    } cases[] = {
        {"a read-only file",
         [&](const std::string& path) {
             std::ofstream(path, std::ios::binary) << old_lines;
             make_read_only(path);
         },
         denied},
        {"a directory", [](const std::string& path) { fs::create_directory(path); },
         "it is a directory, not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make(path_);
        const auto type_before = fs::status(path_).type();
        EXPECT_EQ(failure_message([&] {
                      SettingsFile file(path_);
                      file.write_line("new");
                      file.close();
                  }),
                  "cannot replace " + path_ + ": " + c.why);
        EXPECT_EQ(fs::status(path_).type(), type_before);
        if (type_before == fs::file_type::regular) {
            EXPECT_EQ(content(path_), old_lines);
        }
        EXPECT_EQ(entries(), 1u);  // no temporary file left
        fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add);
        fs::remove(path_);
    }
}

TEST_F(WindowsSettingsFileTest, ReplacedFileKeepsItsHiddenAndSystemAttributes) {
    const DWORD cases[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
    for (const DWORD attributes : cases) {
        std::ofstream(path_, std::ios::binary) << "old\n";
        ASSERT_TRUE(::SetFileAttributesA(path_.c_str(), attributes));
        SettingsFile file(path_);
        file.write_line("new");
        file.close();
        EXPECT_EQ(content(path_), "new\n");
        EXPECT_EQ(::GetFileAttributesA(path_.c_str()) & attributes, attributes) << attributes;
        EXPECT_EQ(entries(), 1u);
        ASSERT_TRUE(::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL));
    }
}

// Names are compared as Windows compares them: saving SAINT.INI beside
// saint.ini.~1~ makes SAINT.INI.~2~, with or without --backup=t, and leaves
// saint.ini~ alone.
TEST_F(WindowsSettingsFileTest, BackupsAreNumberedAsWindowsComparesNames) {
    for (const BackupControl control : {BackupControl::kExisting, BackupControl::kNumbered}) {
        const std::string given[][2] = {
            {"saint.ini", "old"}, {"saint.ini.~1~", "one"}, {"saint.ini~", "simple"}};
        for (const auto& [name, text] : given) {
            std::ofstream(dir_ / name, std::ios::binary) << text;
        }
        SettingsFile file((dir_ / "SAINT.INI").string());
        file.write_line("new");
        file.close({control, "~"});
        EXPECT_TRUE(file.backup_made().ends_with("\\SAINT.INI.~2~")) << file.backup_made();
        EXPECT_EQ(content(path_ + ".~2~"), "old");
        EXPECT_EQ(content(path_ + ".~1~"), "one");
        EXPECT_EQ(content(path_ + "~"), "simple");
        EXPECT_EQ(content(path_), "new\n");
        fs::remove_all(dir_), fs::create_directory(dir_);
    }
}

using WindowsNameTest = ScratchDirectoryTest;

TEST_F(WindowsNameTest, NamesFollowWindowsRules) {
    std::ofstream(dir_ / "abc1.p4p") << "SYMM   mmm\n";
    fs::create_directory(dir_ / "sub");
    std::ofstream(dir_ / "sub" / "abc2.p4p") << "SYMM   mmm\n";
    const std::string dir = dir_.string();
    const struct {
        std::string name;
        bool exists;
    } cases[] = {
        {dir + "\\abc1.p4p", true},
        {dir + "/abc1.p4p", true},
        {dir + "\\ABC1.P4P", true},
        {dir + "\\Abc1.P4p", true},
        {dir + "\\abc1.p4p\\", false},
        {dir + "\\abc1.p4p/", false},
        {dir + "\\abc1.p4p\\\\", false},
        {dir + "\\abc2.p4p", false},
        {dir + "\\sub", true},
        {dir + "\\sub\\", true},
        {dir + "/SUB/", true},
        {dir + "\\sub\\abc2.p4p", true},
        {dir + "/sub/abc2.p4p", true},
        {dir + "\\SUB/ABC2.p4p", true},
        {dir + "\\sub\\abc2.p4p\\", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(name_exists(c.name), c.exists) << c.name;
    }
}

TEST(WindowsFrameTest, DeviceNamesAreNamesButNoFrames) {
    for (FixedText name(20); const char* device : {"COM1.001", "lpt3.017", "sub\\nul.999"}) {
        name.assign(device);
        EXPECT_TRUE(file_exists(name) && !frame_file_exists(name)) << device;
    }
}

using WindowsInputFileTest = ScratchDirectoryTest;

TEST_F(WindowsInputFileTest, OnlyARegularFileIsOpened) {
    const std::string device = "cannot read P4P file: it is a character device, not a regular file";
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {(dir_ / "missing.p4p").string(),
         "cannot open P4P file: " + system_error_text(ERROR_FILE_NOT_FOUND)},
        {dir_.string(), "cannot read P4P file: it is a directory, not a regular file"},
        {"NUL", device},
        {"nul", device},
        {"CON", device},
        {"PRN", device},
        {"lpt1.p4p", device},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failure_message([&] { InputFile::open_regular_file(c.path, "P4P file"); }),
                  c.message);
    }
}

// A log is appended to only as a regular file: a directory or a device is
// refused, a missing one is made, and each record lands at the end.
TEST_F(WindowsInputFileTest, LogIsAppendedToOnlyAsARegularFile) {
    const std::string log = (dir_ / "korvaline.log").string();
    EXPECT_EQ(failure_message([&] { AppendFile::open_existing(dir_.string(), "the log"); }),
              "cannot open the log: it is a directory, not a regular file");
    EXPECT_EQ(failure_message([&] { AppendFile::open_existing("NUL", "the log"); }),
              "cannot open the log: it is a character device, not a regular file");
    EXPECT_FALSE(AppendFile::open_existing(log, "the log"));
    AppendFile::create_like(log, "saint.ini", "the log").append("a\n");
    AppendFile::open_existing(log, "the log")->append("b\n");
    std::ifstream file(log, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "a\nb\n");
}

// What a console types and shows (OEM code pages 850, 437) against what
// file names and saint.ini use (the ANSI code page 1252).
TEST(WindowsCodePageTest, TextIsConvertedBetweenCodePages) {
    EXPECT_EQ(in_code_page("\x82t\x82.p4p", 850, 1252), "\xe9t\xe9.p4p");  // "été.p4p"
    EXPECT_EQ(in_code_page("\xe9t\xe9.p4p", 1252, 850), "\x82t\x82.p4p");
    EXPECT_EQ(in_code_page("gr\x81n", 437, 1252), "gr\xfcn");
    EXPECT_EQ(in_code_page("\x80", 1252, 437), "?");  // no euro sign
    EXPECT_EQ(in_code_page("\x82", 1252, 1252), "\x82");
}

}  // namespace
}  // namespace korvaline
