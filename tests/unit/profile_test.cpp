#include "settings/profile.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "failure_message.hpp"
#include "scratch_directory.hpp"

namespace korvaline {
namespace {

// The profile's entries as "SECTION KEY=VALUE".
std::vector<std::string> entries_of(const std::string& text) {
    LineSource lines = LineSource::from_text(text);
    std::vector<std::string> entries;
    for (const Profile::Entry& entry : parse_profile(lines, "p.ini").entries) {
        entries.push_back(entry.section + " " + entry.key + "=" + entry.value);
    }
    return entries;
}

TEST(ProfileTest, GoodLines) {
    using Entries = std::vector<std::string>;
    const struct {
        std::string text;
        Entries entries;
    } cases[] = {
        {"", {}},
        {"# a comment\n\n  ; another\n[SAINT]\nNROWS=1024\n", {"SAINT NROWS=1024"}},
        {"[SAINT]\r\nNROWS=1024\r\r\nNCOLS = 1024 \r\n", {"SAINT NROWS=1024", "SAINT NCOLS=1024"}},
        {"\t[SCALE]  \n SCALOUTNAME =\t./scale out.raw\n", {"SCALE SCALOUTNAME=./scale out.raw"}},
        {"[SCALE]\nSCALOUTNAME=a=b\nSCALE_WAVE=\n", {"SCALE SCALOUTNAME=a=b", "SCALE SCALE_WAVE="}},
        {"\xEF\xBB\xBF[GLOBAL]\nFRAMESIZE=1024", {"GLOBAL FRAMESIZE=1024"}},
        {"[SAINT]\nNROWS=1\n[GLOBAL]\nFRAMESIZE=1\n[SAINT]\nNCOLS=1\n",
         {"SAINT NROWS=1", "GLOBAL FRAMESIZE=1", "SAINT NCOLS=1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(entries_of(c.text), c.entries) << c.text;
    }
}

TEST(ProfileTest, BadLinesNameTheFileAndTheLine) {
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"[DETECTOR]\n", "p.ini:1: unknown section [DETECTOR]"},
        {"\n[saint]\n", "p.ini:2: unknown section [saint]"},
        {"[SAINT]\nDETTYPE=2\n",
         "p.ini:2: DETTYPE is not a line of [SAINT]; it is a line of [CONFIGURE]"},
        {"[SAINT]\nGAIN=2\n", "p.ini:2: GAIN is not a line of [SAINT]"},
        {"NROWS=1024\n", "p.ini:1: NROWS stands before any [SECTION] line"},
        {"[SAINT]\nNROWS=1\n\nNROWS=2\n",
         "p.ini:4: NROWS is given twice in [SAINT], first on line 2"},
        {"[SAINT]\nNROWS 1024\n", "p.ini:2: not a [SECTION], KEY=VALUE or comment line"},
        {"[SAINT\n", "p.ini:1: not a [SECTION], KEY=VALUE or comment line"},
        {"[SAINT]\n=1\n", "p.ini:2: not a [SECTION], KEY=VALUE or comment line"},
        {"[INTEGRATE]\nTITLE=x\n",
         "p.ini:2: TITLE comes from the project, its runs or its P4P file; a profile cannot set "
         "it"},
        {"[SORT]\nSORTIN01=x\n",
         "p.ini:2: SORTIN01 comes from the project, its runs or its P4P file; a profile cannot set "
         "it"},
        {"[SAINT]\nNROWS=10\t24\n", "p.ini:2: the value of NROWS holds a control character"},
        {"[SAINT]\rNROWS=1\r", "p.ini:1: not a [SECTION], KEY=VALUE or comment line"},
        {"[SAINT]\nNROWS=" + std::string(5000, '1') + "\n",
         "p.ini:2: the line is longer than 4096 characters"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failure_message([&] { entries_of(c.text); }), c.message) << c.text;
    }
}

// The template changes nothing, as it is and with every line taken in.
TEST(ProfileTest, TemplateRoundTrip) {
    const std::string text = profile_template();
    EXPECT_EQ(entries_of(text), std::vector<std::string>{});
    std::string taken_in;
    std::size_t fixed_lines = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        fixed_lines += line.starts_with(';') ? 1u : 0u;
        taken_in += (line.starts_with(';') ? line.substr(1) : line) + "\n";
        start = end + 1;
    }
    LineSource lines = LineSource::from_text(taken_in);
    const Profile profile = parse_profile(lines, "template");
    EXPECT_EQ(profile.entries.size(), fixed_lines);
    EXPECT_GT(fixed_lines, 150u);
    SetupRecord record;
    record.project_name.assign("abc");
    std::vector<SaintIniLine> applied = saint_ini_lines(record);
    apply_profile(profile, applied);
    const std::vector<SaintIniLine> built_in = saint_ini_lines(record);
    for (std::size_t i = 0; i < applied.size(); ++i) {
        EXPECT_EQ(applied[i].text(), built_in[i].text());
    }
}

using ProfileSearchTest = ScratchDirectoryTest;

// The first place that names a profile is used alone; where none is named,
// the user's default place comes first.
TEST_F(ProfileSearchTest, FirstPlaceFoundIsUsed) {
    const std::string named = (dir_ / "named.ini").string();
    const std::string by_variable = (dir_ / "variable.ini").string();
    std::ofstream(named) << "[SAINT]\nNROWS=1\n";
    std::ofstream(by_variable) << "[SAINT]\nNROWS=2\n";
    const std::map<std::string, std::string> environment = {
        {"KORVALINE_PROFILE", by_variable},
        {"XDG_CONFIG_HOME", (dir_ / "config").string()},
        {"HOME", (dir_ / "home").string()},
        {"APPDATA", (dir_ / "config").string()},
        {"PROGRAMDATA", (dir_ / "site").string()}};
    const auto lookup_without = [&](const std::string& left_out) {
        return [=](const char* name) {
            const auto found = environment.find(name);
            return found == environment.end() || left_out == name ? "" : found->second;
        };
    };
    const std::string user_default = default_profile_paths(lookup_without("")).front();
    std::filesystem::create_directories(std::filesystem::path(user_default).parent_path());
    std::ofstream(user_default) << "[SAINT]\nNROWS=3\n";
    const struct {
        ProfileChoice choice;
        std::string left_out;
        std::string used;  // path of the profile, "none", or how the failure begins
    } cases[] = {
        {{named, false}, "", named},
        {{"", false}, "", by_variable},
        {{"", true}, "", "none"},
        {{"", false}, "KORVALINE_PROFILE", user_default},
        {{(dir_ / "missing.ini").string(), false},
         "",
         "cannot open profile '" + (dir_ / "missing.ini").string() + "': "},
        {{dir_.string(), false},
         "",
         "cannot read profile '" + dir_.string() + "': it is a directory, not a regular file"},
    };
    for (const auto& c : cases) {
        std::string used;
        try {
            const std::optional<Profile> profile =
                load_profile(c.choice, lookup_without(c.left_out));
            used = profile ? profile->path : "none";
        } catch (const Failure& failure) {
            used = failure.what();
        }
        EXPECT_TRUE(used.starts_with(c.used)) << used << " rather than " << c.used;
    }
}

}  // namespace
}  // namespace korvaline
