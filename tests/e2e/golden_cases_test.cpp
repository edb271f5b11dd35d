// Each directory under cases/ is one run of the program, as is each under
// cases-posix/ for a POSIX system's program and under cases-windows/ for a
// Windows program:
//   files     lines "frames BASE FIRST LAST" (empty frame files), "touch NAME",
//             "mkdir NAME", "read-only NAME" (no one may write it), and on
//             POSIX "fifo NAME"; "link NAME TARGET" (a symbolic link, under Wine too)
//   given/    files copied into the run's directory (P4P files, an old saint.ini)
//   args      the program's arguments, separated by white space
//   stdin     what the user types
//   stdout    the console output expected, byte for byte; a line
//             @BANNER_TITLE_LINE@ stands for the banner's title line, which
//             names the version the program is built with
//   saint.ini the saint.ini expected; without it, an old saint.ini (file or
//             directory) must be left as it was and none may be created
//   written   where the run writes that file, from the run's directory
//             (saint.ini when missing)
//   backup    the name the old saint.ini must have after the run, whole
//   korvaline.log  the log expected beside the file written, with what no
//             case can know marked: the time (@TIME@), the version, user,
//             host and directory (@VERSION@, ...), the program's path
//             (@PROGRAM@) and the run's directory (@DIR@). A run that writes
//             a file must leave a log beside it, whether the case gives it
//             or not.
//   status    the exit status expected (0 when missing)
//   stderr    the error output expected (empty on success, else one line,
//             or the console's lines when standard output carries saint.ini);
//             without a line feed at its end, only the line's beginning: the
//             program's words before the system's, which vary with versions
// After the run the directory must hold what it held before, plus saint.ini
// and korvaline.log.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "program_run.hpp"
#include "program_under_test.hpp"

namespace korvaline::e2e {
namespace {

namespace fs = std::filesystem;

// The case directories for the program under test, by name.
std::vector<fs::path> case_dirs() {
    std::vector<fs::path> dirs;
    for (const char* cases : {KORVALINE_CASE_DIRS}) {
        for (const auto& entry : fs::directory_iterator(cases)) {
            dirs.push_back(entry.path());
        }
    }
    std::sort(dirs.begin(), dirs.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return dirs;
}

std::string optional_file(const fs::path& path, const std::string& otherwise) {
    return fs::exists(path) ? read_file(path) : otherwise;
}

// The output with the banner's title line, which names the version, as the
// marker the expected files hold in its place: when it has the banner's width
// and names KORVALINE and the version built.
std::string with_title_line_marked(std::string output) {
    const std::string start = std::string("\n |   KORVALINE ") + KORVALINE_PROJECT_VERSION + " - ";
    const std::size_t at = output.find(start) + 1;
    const std::size_t end = output.find('\n', at);
    if (at != 0 && end - at == 65 && output.compare(end - 2, 2, " |") == 0) {
        output.replace(at, end - at, "@BANNER_TITLE_LINE@");
    }
    return output;
}

// A path of the run's directory as the expected log writes it.
std::string in_run_directory(std::string_view path) {
    return "@DIR@/" + std::string(path.substr(path.find_last_of("/\\") + 1));
}

// The log with what a case cannot know marked: see the top of this file.
std::string with_run_facts_marked(const std::string& log) {
    std::istringstream lines(log);
    std::string marked;
    for (std::string line; std::getline(lines, line);) {
        const auto value = [&](std::string_view key) {
            return line.starts_with(key) ? std::string_view(line).substr(key.size())
                                         : std::string_view();
        };
        if (!value("== ").empty()) {
            line = "== @TIME@ " + in_run_directory(value("== "));
        } else if (!value("file: ").empty() || !value("backup: ").empty()) {
            line = line.substr(0, line.find(' ') + 1) + in_run_directory(line);
        } else if (!value("sha256: ").empty()) {
            line = line.substr(0, line.find("  ") + 2) + in_run_directory(line);
        } else if (!value("command: ").empty()) {
            // The program's path, quoted where it holds a blank or a backslash.
            const std::size_t program_end = line.starts_with("command: '")
                                                ? line.find("' ") + 1
                                                : line.find(' ', line.rfind('/') + 1);
            line = "command: @PROGRAM@" + line.substr(std::min(program_end, line.size()));
        } else if (!value("p4p: ").empty() && line.find(", modified ") != std::string::npos) {
            line = line.substr(0, line.find(", modified ")) + ", modified @TIME@";
        }
        for (const char* key : {"version", "user", "host", "directory"}) {
            if (line.starts_with(std::string(key) + ": ")) {
                line = std::string(key) + ": @" + key + "@";
            }
        }
        marked += line + "\n";
    }
    return marked;
}

// The words of an optional file of the case.
std::vector<std::string> words_of(const fs::path& path) {
    std::istringstream text(optional_file(path, ""));
    return {std::istream_iterator<std::string>(text), std::istream_iterator<std::string>()};
}

void lay_out_files(const fs::path& case_dir, const fs::path& dir) {
    if (fs::exists(case_dir / "given")) {
        fs::copy(case_dir / "given", dir, fs::copy_options::recursive);
    }
    std::istringstream manifest(optional_file(case_dir / "files", ""));
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream words(line);
        std::string verb;
        std::string name;
        words >> verb >> name;
        if (verb == "frames") {
            int first = 0;
            int last = 0;
            words >> first >> last;
            make_frames(dir, name, first, last);
        } else if (verb == "touch") {
            write_file(dir / name, "");
        } else if (verb == "mkdir") {
            fs::create_directory(dir / name);
        } else if (verb == "read-only") {
            fs::permissions(
                dir / name,
                fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
        } else if (verb == "fifo") {
            ASSERT_EQ(::mkfifo((dir / name).c_str(), 0600), 0);
        } else if (verb == "link") {
            std::string target;
            words >> target;
            fs::create_symlink(target, dir / name);
        } else {
            FAIL() << "unknown line in " << (case_dir / "files") << ": " << line;
        }
    }
}

class GoldenCase : public testing::TestWithParam<fs::path> {};

TEST_P(GoldenCase, MatchesExpectedFiles) {
    const fs::path& case_dir = GetParam();
    Workspace workspace;
    lay_out_files(case_dir, workspace.dir());
    const fs::path settings = workspace.dir() / "saint.ini";
    const bool had_settings = fs::is_regular_file(settings);
    const bool had_directory = fs::is_directory(settings);
    const std::string old_settings = had_settings ? read_file(settings) : "";
    const std::set<std::string> names_before = list_names(workspace.dir());
    const std::string log_before = optional_file(workspace.dir() / "korvaline.log", "none");
    struct stat settings_before {};
    ::stat(settings.c_str(), &settings_before);

    const RunResult result = run_program(workspace, {.arguments = words_of(case_dir / "args"),
                                                     .input = read_file(case_dir / "stdin")});

    const int expected_status = std::stoi(optional_file(case_dir / "status", "0"));
    EXPECT_EQ(result.exit_status, expected_status);
    EXPECT_EQ(with_title_line_marked(result.output), read_file(case_dir / "stdout"));
    const std::string errors = optional_file(case_dir / "stderr", "korvaline: ");
    if (errors.empty() || errors.ends_with("\n")) {
        EXPECT_EQ(with_title_line_marked(result.errors), errors);
    } else if (expected_status == 0) {
        EXPECT_EQ(result.errors, "");
    } else {
        EXPECT_TRUE(result.errors.starts_with(errors)) << result.errors;
        EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
    }

    std::set<std::string> names_expected = names_before;
    std::string written = "saint.ini";
    for (const std::string& word : words_of(case_dir / "written")) {
        written = word;
    }
    if (fs::exists(case_dir / "saint.ini")) {
        EXPECT_EQ(read_file(workspace.dir() / written), read_file(case_dir / "saint.ini"));
        names_expected.insert(written.substr(0, written.find('/')));
    } else if (had_settings) {
        EXPECT_EQ(read_file(settings), old_settings) << "saint.ini was changed";
    } else if (had_directory) {
        EXPECT_TRUE(fs::is_directory(settings)) << "the directory saint.ini is gone";
    } else {
        EXPECT_FALSE(fs::exists(settings)) << "saint.ini was created";
    }
    // A file written leaves its log; one left as it was, none, and a log
    // there before is left as it was.
    const fs::path log = workspace.dir() / fs::path(written).parent_path() / "korvaline.log";
    const bool saved = fs::exists(case_dir / "saint.ini") && written != "-" &&
                       !(had_settings && old_settings == read_file(case_dir / "saint.ini"));
    if (!saved) {
        EXPECT_EQ(optional_file(log, "none"), log_before) << log;
        // An old saint.ini left alone is the same file, untouched.
        struct stat settings_after {};
        ::stat(settings.c_str(), &settings_after);
        EXPECT_EQ(settings_after.st_ino, settings_before.st_ino);
        EXPECT_EQ(settings_after.st_mtim.tv_nsec, settings_before.st_mtim.tv_nsec);
    } else if (fs::exists(case_dir / "korvaline.log")) {
        EXPECT_EQ(with_run_facts_marked(read_file(log)), read_file(case_dir / "korvaline.log"));
    } else {
        EXPECT_TRUE(fs::exists(log)) << log;
    }
    if (saved && written.find('/') == std::string::npos) {
        names_expected.insert("korvaline.log");
    }
    for (const std::string& backup : words_of(case_dir / "backup")) {
        EXPECT_EQ(read_file(workspace.dir() / backup), old_settings) << backup;
        names_expected.insert(backup);
    }
    EXPECT_EQ(list_names(workspace.dir()), names_expected);
}

std::string case_name(const testing::TestParamInfo<fs::path>& case_info) {
    return case_info.param.filename().string();
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, testing::ValuesIn(case_dirs()), case_name);

}  // namespace
}  // namespace korvaline::e2e
