#include "settings/profile.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "failure_message.hpp"
#include "scratch_directory.hpp"
#include "scripted_console.hpp"

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
    const struct {
        std::string text;
        std::vector<std::string> entries;
    } cases[] = {
        {"# a comment\n\n  ; another\n[SAINT]\nNROWS=1024\n", {"SAINT NROWS=1024"}},
        {"[SAINT]\r\nNROWS=1024\r\r\nNCOLS = 1024 \r\n", {"SAINT NROWS=1024", "SAINT NCOLS=1024"}},
        {"\t[SCALE]  \n SCALOUTNAME =\t./scale out.raw\n", {"SCALE SCALOUTNAME=./scale out.raw"}},
        {"[SCALE]\nSCALOUTNAME=a=b\nSCALE_WAVE=\n", {"SCALE SCALOUTNAME=a=b", "SCALE SCALE_WAVE="}},
        {"\xEF\xBB\xBF[GLOBAL]\nFRAMESIZE=1024", {"GLOBAL FRAMESIZE=1024"}},
        {"[SAINT]\nNROWS=1\n[GLOBAL]\n[SAINT]\nNCOLS=1\n", {"SAINT NROWS=1", "SAINT NCOLS=1"}},
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
        {"\n[saint]\n", "p.ini:2: unknown section [saint]"},
        {"[SAINT]\nDETTYPE=2\n",
         "p.ini:2: DETTYPE is not a line of [SAINT]; it is a line of [CONFIGURE]"},
        {"[SAINT]\nGAIN=2\n", "p.ini:2: GAIN is not a line of [SAINT]"},
        {"NROWS=1024\n", "p.ini:1: NROWS stands before any [SECTION] line"},
        {"[SAINT]\nNROWS=1\n\nNROWS=2\n",
         "p.ini:4: NROWS is given twice in [SAINT], first on line 2"},
        {"[SAINT]\nNROWS 1024\n", "p.ini:2: not a [SECTION], KEY=VALUE or comment line"},
        {"[SAINT]\nNROWS\n", "p.ini:2: not a [SECTION], KEY=VALUE or comment line"},
        {"# Instrument 2\r[SAINT]\rNROWS=1024\r",
         "p.ini:1: the lines end in a bare carriage return (line endings of an old Mac editor); "
         "save the file with LF or CR LF line endings"},
        {"[INTEGRATE]\nTITLE=x\n",
         "p.ini:2: TITLE comes from the project, its runs or its P4P file; a profile cannot set "
         "it"},
        {"[SAINT]\nNROWS=10\t24\n", "p.ini:2: the value of NROWS holds a control character"},
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
    LineSource lines = LineSource::from_text(std::regex_replace(text, std::regex("\n;"), "\n"));
    const Profile profile = parse_profile(lines, "template");
    EXPECT_GT(profile.entries.size(), 150u);
    std::vector<SaintIniLine> applied = saint_ini_lines(SetupRecord{});
    apply_profile(profile, applied);
    for (std::size_t i = 0; i < applied.size(); ++i) {
        EXPECT_EQ(applied[i].text(), saint_ini_lines(SetupRecord{})[i].text());
    }
}

// A line past the limit is refused where the limit is passed: the rest of
// the line (here a file of zero bytes) is left unread.
TEST(ProfileTest, OverLongLineIsNotReadToItsEnd) {
    LineSource lines = LineSource::from_text(std::string(5000, '\0') + "\n[SAINT]\n");
    EXPECT_EQ(failure_message([&] { parse_profile(lines, "p.ini"); }),
              "p.ini:1: the line is longer than 4096 characters");
    std::string rest;
    ASSERT_TRUE(lines.read_line(5000, rest));
    EXPECT_EQ(rest.size(), 5000u - 4096u);
}

using ProfileSearchTest = ScratchDirectoryTest;

// The first place that names a profile is used alone: the option, the
// variable, the user's default place, the site's (unless
// KORVALINE_SITE_PROFILE is empty).
TEST_F(ProfileSearchTest, FirstPlaceFoundIsUsed) {
    const std::string named = (dir_ / "named.ini").string();
    const std::string by_variable = (dir_ / "variable.ini").string();
    const std::string site = (dir_ / "site.ini").string();
    const std::string user = (dir_ / "config" / "korvaline" / "profile.ini").string();
    std::filesystem::create_directories(dir_ / "config" / "korvaline");
    for (const std::string& path : {named, by_variable, site}) {
        std::ofstream(path) << "[SAINT]\nNROWS=1\n";
    }
    const struct {
        const char* named;  // --profile, when not null
        bool refused;       // --no-profile
        bool with_variable;
        bool user_has_one;
        std::string site;  // KORVALINE_SITE_PROFILE
        std::string used;  // path of the profile, "none", or how the failure begins
    } cases[] = {
        {named.c_str(), false, true, true, site, named},
        {nullptr, false, true, true, site, by_variable},
        {nullptr, true, true, true, site, "none"},
        {nullptr, false, false, true, site, user},
        {nullptr, false, false, false, site, site},
        {nullptr, false, false, false, "", "none"},
        {"missing.ini", false, true, true, site, "cannot open profile 'missing.ini': "},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(user);
        if (c.user_has_one) {
            std::ofstream(user) << "[SAINT]\nNROWS=1\n";
        }
        const auto environment = [&](const std::string& name) -> std::optional<std::string> {
            if (name == "KORVALINE_PROFILE") {
                return c.with_variable ? by_variable : "";
            }
            return name == "KORVALINE_SITE_PROFILE" ? c.site : (dir_ / "config").string();
        };
        const ProfileChoice choice{c.named ? std::optional<std::string>(c.named) : std::nullopt,
                                   c.refused};
        ScriptedConsole console("", {});
        std::string used = "none";
        try {
            const auto profile = load_profile(choice, console.console, environment);
            used = profile ? profile->path : used;
        } catch (const Failure& failure) {
            used = failure.what();
        }
        EXPECT_TRUE(used.starts_with(c.used)) << used << " rather than " << c.used;
    }
}

}  // namespace
}  // namespace korvaline
