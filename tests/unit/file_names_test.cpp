#include "core/file_names.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/account_names.hpp"
#include "fields.hpp"
#include "files/absolute_path.hpp"
#include "files/path_grammar.hpp"

namespace korvaline {
namespace {

TEST(FileNamesTest, WholeNamesAndTheNamesTested) {
    const FixedText abc = field(20, "abc");
    const std::string p15 = "abcdefghijklmno";
    const std::string p16 = "abcdefghijklmnop";
    const std::string p20 = "abcdefghijklmnopqrst";
    const struct {
        std::string name;    // as built
        std::string whole;   // expected, as saint.ini names it
        std::string tested;  // expected, as the file system is asked; empty: never asked
    } cases[] = {
        {first_frame_name(abc), "abc1.001", "abc1.001"},
        {first_frame_name(field(20, p16)), p16 + "1.001", p16 + "1.00"},
        {first_frame_name(field(20, p16 + "q")), p16 + "q1.001", p16 + "q1.0"},
        {first_frame_name(field(20, p16 + "qr")), p16 + "qr1.001", p16 + "qr1."},
        {first_frame_name(field(20, p16 + "qrs")), p16 + "qrs1.001", p16 + "qrs1"},
        {first_frame_name(field(20, p20)), p20 + "1.001", p20},
        {run_base_name(abc, 1), "abc1", "abc1"},
        {run_base_name(field(20, p20), 2), p20 + "2", p20},
        {frame_file_name("abc1", 1), "abc1.001", "abc1.001"},
        {frame_file_name("abc1", 9), "abc1.009", "abc1.009"},
        {frame_file_name("abc1", 10), "abc1.010", "abc1.010"},
        {frame_file_name("abc1", 99), "abc1.099", "abc1.099"},
        {frame_file_name("abc1", 100), "abc1.100", "abc1.100"},
        {frame_file_name("abc1", 999), "abc1.999", "abc1.999"},
        {frame_file_name("1", 2), "1.002", "1.002"},
        {frame_file_name(p15 + "1", 123), p15 + "1.123", p15 + "1.123"},
        {frame_file_name(p16 + "1", 123), p16 + "1.123", p16 + "1.12"},
        {frame_file_name(p16 + "q1", 123), p16 + "q1.123", p16 + "q1.1"},
        {frame_file_name(p16 + "qr1", 123), p16 + "qr1.123", p16 + "qr1."},
        {frame_file_name(p16 + "qrs1", 123), p16 + "qrs1.123", p16 + "qrs1"},
        {default_p4p_name(field(20, "abc1")), "abc1.p4p", "abc1.p4p"},
        {default_p4p_name(field(20, p16 + "q1")), p16 + "q1.p4p", p16 + "q1.p"},
        {default_p4p_name(field(20, p16 + "qr1")), p16 + "qr1.p4p", p16 + "qr1."},
        {default_p4p_name(field(20, p20)), p20 + ".p4p", p20},
        {work_file_name("abc", "t.raw"), "./work/abct.raw", ""},
        {work_file_name("abc2", "._ls"), "./work/abc2._ls", ""},
        {work_file_name(p20 + "1", "._ls"), "./work/" + p20 + "1._ls", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.name, c.whole);
        if (!c.tested.empty()) {
            EXPECT_EQ(name_as_tested(c.name).trimmed(), c.tested) << c.name;
            EXPECT_EQ(name_as_tested(c.name).width(), kNameWidth) << c.name;
        }
    }
}

TEST(FileNamesTest, AccountNamesAreReadFromTheAccountFileAsText) {
    const std::string passwd =
        "root:x:0:0:root:/root:/bin/sh\n"
        "nobody:x:65534:65534::/:/usr/sbin/nologin\n"
        "broken\n"
        ":x:7:7\n"
        "alice:x:1000:1000::/home/alice:/bin/sh";
    const struct {
        unsigned long id;
        std::optional<std::string> name;
    } cases[] = {
        {0, "root"},         {65534, "nobody"}, {1000, "alice"},
        {100, std::nullopt}, {7, std::nullopt},  // an entry without a name names no one
        {65, std::nullopt},                      // a number is matched whole, not as its start
    };
    for (const auto& c : cases) {
        EXPECT_EQ(account_name(passwd, c.id), c.name) << c.id;
    }
}

constexpr PathStyle kPosix = PathStyle::kPosix;
constexpr PathStyle kWindows = PathStyle::kWindows;

// The folders a folder profile is looked for in, up to the root, or to a
// drive's or a share's root on Windows.
TEST(PathGrammarTest, ParentFolderUpToTheRoot) {
    const struct {
        PathStyle style;
        std::string folder;
        std::string parent;
    } cases[] = {{kPosix, "/data/a", "/data"},
                 {kPosix, "/data", "/"},
                 {kPosix, "/", ""},
                 {kPosix, "//data//a//", "//data"},
                 {kPosix, "///", ""},
                 {kPosix, "C:\\data", ""},
                 {kWindows, "C:\\data\\a", "C:\\data"},
                 {kWindows, "C:\\data", "C:\\"},
                 {kWindows, "C:\\", ""},
                 {kWindows, "D:/data/a/", "D:/data"},
                 {kWindows, "\\\\s\\share\\a", "\\\\s\\share\\"},
                 {kWindows, "\\\\s\\share", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(parent_folder(c.folder, c.style), c.parent) << c.folder;
    }
}

// A relative folder is passed over: a relative XDG_CONFIG_HOME for HOME's
// .config, a relative %APPDATA% or %PROGRAMDATA% for none.
TEST(PathGrammarTest, ConfigurationFoldersFromAbsoluteFoldersOnly) {
    const struct {
        PathStyle style;
        std::string value;  // of every variable but HOME
        std::string home;
        std::string user;  // the folders expected
        std::string system;
    } cases[] = {{kWindows, "C:\\A", "", "C:\\A", "C:\\A"},
                 {kWindows, "D:/A", "", "D:/A", "D:/A"},
                 {kWindows, "\\\\s\\d", "", "\\\\s\\d", "\\\\s\\d"},
                 {kWindows, "\\A", "C:\\H", "", ""},
                 {kWindows, "A", "", "", ""},
                 {kWindows, "C:A", "", "", ""},
                 {kPosix, "/x", "/h", "/x", "/etc"},
                 {kPosix, "C:\\A", "/h", "/h/.config", "/etc"},
                 {kPosix, "", "h", "", "/etc"}};
    for (const auto& c : cases) {
        const ConfigurationFolders folders = configuration_folders(
            [&](const std::string& name) {
                return std::optional(name == "HOME" ? c.home : c.value);
            },
            c.style);
        EXPECT_EQ(std::vector({folders.user, folders.system}), std::vector({c.user, c.system}))
            << c.value;
    }
}

// Names put together as each system writes them.
TEST(PathGrammarTest, PathsAndVariablesInEachSystemsWay) {
    const std::string cases[][2] = {
        {path_in("/a", "b", kPosix), "/a/b"},
        {path_in("D:/A", "b", kWindows), "D:/A\\b"},
        {path_beside("/data/saint.ini", "k.log", kPosix), "/data/k.log"},
        {path_beside("C:\\d\\saint.ini", "k.log", kPosix), "k.log"},
        {path_beside("d/e\\saint.ini", "k.log", kWindows), "d/e\\k.log"},
        {path_beside("C:saint.ini", "k.log", kWindows), "C:k.log"},
        {variable_in_text("HOME", kPosix), "$HOME"},
        {variable_in_text("APPDATA", kWindows), "%APPDATA%"},
        {path_from_directory("/d", ".//./x"), "/d/x"},
        {path_from_directory("/", "x/."), "/x/."},
        {path_from_directory("/d", "./../x"), "/d/../x"},
        {path_from_directory("/d", ".//"), "/d/.//"},
        {path_from_directory("/d", "/x"), "/x"},
        {path_from_directory("", "x"), "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c[0], c[1]);
    }
}

}  // namespace
}  // namespace korvaline
