#include "settings/profile.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "failure_message.hpp"
#include "scratch_directory.hpp"
#include "scripted_console.hpp"
#include "settings/profile_places.hpp"
#include "settings/profile_reader.hpp"
#include "settings/profile_template.hpp"

namespace korvaline {
namespace {

// The profile's entries as "SECTION KEY=VALUE".
std::vector<std::string> entries_of(const std::string& text) {
    LineSource lines = LineSource::from_text(text);
    std::vector<std::string> entries;
    for (const Profile::Entry& entry : parse_profile(lines, "p.ini").entries) {
        const std::string source = entry.source.empty() ? "" : ":" + entry.source;
        entries.push_back(entry.section + source + " " + entry.key + "=" + entry.value);
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
        {"[SCALE]\nSCALOUTNAME=a=b\nWEDGETYPE=\n", {"SCALE SCALOUTNAME=a=b", "SCALE WEDGETYPE="}},
        {"[SAINT]\nNROWS=+1024\n[CONFIGURE]\nBIAS=-3\nAIRMU=1\nREADNOISE=.5\nFACETRN=2.\n",
         {"SAINT NROWS=+1024", "CONFIGURE BIAS=-3", "CONFIGURE AIRMU=1", "CONFIGURE READNOISE=.5",
          "CONFIGURE FACETRN=2."}},
        {"[SCALE]\nSCALE_WAVE=1.5418400E+00\nMAXDECAY=-2e-1\nWEDGESIZE=1E3\n",
         {"SCALE SCALE_WAVE=1.5418400E+00", "SCALE MAXDECAY=-2e-1", "SCALE WEDGESIZE=1E3"}},
        {"[SCALE]\nSCALE_WAVE=0.71073\n[SCALE:cu]\nSCALE_WAVE=1.54184\n[SCALE:Ag]\nIREJECT=1\n",
         {"SCALE SCALE_WAVE=0.71073", "SCALE:CU SCALE_WAVE=1.54184", "SCALE:AG IREJECT=1"}},
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
        {"[SAINT]\n\xEF\xBB\xBFNROWS=1\n", "p.ini:2: not a [SECTION], KEY=VALUE or comment line"},
        {"[KORVALINE]\nSOURCE=Xx\n",
         "p.ini:2: SOURCE takes a chemical element's symbol such as CU, not 'Xx'"},
        {"[KORVALINE]\nACCEPT=frame-gap, nosuch\n",
         "p.ini:2: ACCEPT: 'nosuch' is not the name of a note such as frame-gap"},
        {"[KORVALINE]\nACCEPT=frame-gap,\n",
         "p.ini:2: ACCEPT: '' is not the name of a note such as frame-gap"},
        {"[KORVALINE]\nNROWS=1\n",
         "p.ini:2: NROWS is not a line of [KORVALINE]; it holds SOURCE and ACCEPT"},
        {"[KORVALINE:CU]\n",
         "p.ini:1: [KORVALINE] is korvaline's own section; it has no lines for one source"},
        {"[KORVALINE]\nACCEPT=\nACCEPT=log\n",
         "p.ini:3: ACCEPT is given twice in [KORVALINE], first on line 2"},
        {"# Instrument 2\r[SAINT]\rNROWS=1024\r",
         "p.ini:1: the lines end in a bare carriage return (line endings of an old Mac editor); "
         "save the file with LF or CR LF line endings"},
        {"[INTEGRATE]\nTITLE=x\n",
         "p.ini:2: TITLE comes from the project, its runs or its P4P file; a profile cannot set "
         "it"},
        {"[SAINT]\nNROWS=10\t24\n", "p.ini:2: the value of NROWS holds a control character"},
        {"[SAINT]\nNROWS=banana\n",
         "p.ini:2: NROWS takes a whole number such as 512, not 'banana'"},
        {"[SAINT]\nNROWS=1024.0\n",
         "p.ini:2: NROWS takes a whole number such as 512, not '1024.0'"},
        {"[SAINT]\nNROWS=1E3\n", "p.ini:2: NROWS takes a whole number such as 512, not '1E3'"},
        {"[CONFIGURE]\nBIAS=-\n", "p.ini:2: BIAS takes a whole number such as 16, not '-'"},
        {"[SCALE]\nSCALE_WAVE=\n",
         "p.ini:2: SCALE_WAVE takes a number such as 7.1073002E-01, not ''"},
        {"[SCALE]\nSCALE_WAVE=1.54184   ; Cu Ka\n",
         "p.ini:2: SCALE_WAVE takes a number such as 7.1073002E-01, not '1.54184   ; Cu Ka'"},
        {"[SCALE]\nSCALE_WAVE=1.5E\n",
         "p.ini:2: SCALE_WAVE takes a number such as 7.1073002E-01, not '1.5E'"},
        {"[SCALE]\nSCALE_WAVE=.\n",
         "p.ini:2: SCALE_WAVE takes a number such as 7.1073002E-01, not '.'"},
        {"[SCALE:CU]\nSCALE_WAVE=1\n[SCALE]\nSCALE_WAVE=2\n[SCALE:cu]\nSCALE_WAVE=3\n",
         "p.ini:6: SCALE_WAVE is given twice in [SCALE:CU], first on line 2"},
        {"[SCALE:C1]\n", "p.ini:1: C1 is not a chemical element's symbol such as CU"},
        {"[SAINT]\n[SCALE:COPPER]\n",
         "p.ini:2: COPPER is not a chemical element's symbol such as CU"},
        {"[SCALE:Xx]\n", "p.ini:1: Xx is not a chemical element's symbol such as CU"},
        {"[SCALE:]\n", "p.ini:1: [SCALE:] names no source after its colon"},
        {"[SCAL:CU]\n", "p.ini:1: unknown section [SCAL]"},
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
    EXPECT_EQ(profile.sources(), std::vector<std::string>{"CU"});
    std::vector<SaintIniLine> applied = saint_ini_lines(SetupRecord{});
    apply_profile(profile, "", applied);
    for (std::size_t i = 0; i < applied.size(); ++i) {
        EXPECT_EQ(applied[i].text(), saint_ini_lines(SetupRecord{})[i].text());
    }
}

// A line past the limit is refused where the limit is passed, the rest of
// it (here zero bytes) left unread.
TEST(ProfileTest, OverLongLineIsNotReadToItsEnd) {
    const struct {
        std::string text;
        std::size_t unread;  // of the refused line's characters; 0: no line is refused
    } cases[] = {
        {std::string(5000, '\0') + "\n[SAINT]\n", 5000 - 4096},
        {"[SAINT]\nNROWS=1024" + std::string(5000, ' ') + "\n", 5010 - 4096},
        {std::string(5000, '\r') + "x", 5001 - 4098},
        {"[SAINT]\n;" + std::string(4095, 'x') + "\r\r\nNROWS=1\n", 0},
    };
    for (const auto& c : cases) {
        LineSource lines = LineSource::from_text(c.text);
        std::string rest;
        try {
            parse_profile(lines, "p.ini");
        } catch (const Failure&) {
            lines.read_line(6000, rest);
            rest += '.';
        }
        EXPECT_EQ(rest.size(), c.unread + (c.unread > 0)) << c.text.substr(0, 20);
    }
}

// A crystal from a source the profile has lines for gets them in place of
// the common ones; any other crystal gets the common lines alone.
TEST(ProfileTest, LinesForTheCrystalsSource) {
    LineSource text = LineSource::from_text(
        "[SAINT]\nNROWS=1024\n[SCALE:CU]\nSCALE_WAVE=1.54184\n[SCALE]\nSCALE_WAVE=0.71073\n"
        "[SAINT:AG]\nNCOLS=2048\n");
    const Profile profile = parse_profile(text, "p.ini");
    EXPECT_EQ(profile.sources(), (std::vector<std::string>{"CU", "AG"}));
    const struct {
        std::string source;
        std::string applied;  // NROWS, NCOLS and SCALE_WAVE as applied
        bool has_lines;
        std::size_t wave_line;  // the line SCALE_WAVE is taken from
    } cases[] = {
        {"CU", "1024 512 1.54184", true, 4},
        {"AG", "1024 2048 0.71073", true, 6},
        {"MO", "1024 512 0.71073", false, 6},
        {"", "1024 512 0.71073", false, 6},
    };
    for (const auto& c : cases) {
        std::vector<SaintIniLine> lines = saint_ini_lines(SetupRecord{});
        apply_profile(profile, c.source, lines);
        std::string applied;
        for (const SaintIniLine& line : lines) {
            if (line.key == "NROWS" || line.key == "NCOLS" || line.key == "SCALE_WAVE") {
                applied += (applied.empty() ? "" : " ") + line.value;
            }
        }
        EXPECT_EQ(applied, c.applied) << c.source;
        EXPECT_EQ(profile.has_lines_for(c.source), c.has_lines) << c.source;
        EXPECT_EQ(profile.entry_for("SCALE", "SCALE_WAVE", c.source)->line, c.wave_line);
    }
}

// [KORVALINE] gives the source and the accepted notes; the highest layer
// that gives one decides alone, an empty ACCEPT too.
TEST(ProfileTest, OwnSectionLayersWhole) {
    const auto parsed = [](const std::string& text) {
        LineSource lines = LineSource::from_text(text);
        return parse_profile(lines, "p.ini");
    };
    const Profile low =
        parsed("[KORVALINE]\nSOURCE=mo\nACCEPT=frame-gap , log\n[SAINT]\nNROWS=1\n");
    const Profile high = parsed("[KORVALINE]\nACCEPT=\n");
    EXPECT_EQ(low.entries.size(), 1u);
    const struct {
        std::vector<Profile> layers;
        std::vector<std::string> accepted;
        std::size_t accept_line;
    } cases[] = {
        {{low}, {"frame-gap", "log"}, 3},
        {{low, high}, {}, 2},
        {{high, low}, {"frame-gap", "log"}, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(notes_accepted_by(c.layers), c.accepted);
        EXPECT_EQ(profile_giving_accept(c.layers)->accept_setting->line, c.accept_line);
        EXPECT_EQ(profile_giving_source(c.layers)->source_setting->values,
                  std::vector<std::string>{"MO"});
    }
}

using ProfileSearchTest = ScratchDirectoryTest;

// Every profile found is a layer, lowest first: the site's place, the
// user's, the folders' from the farthest to the crystal's own, the
// variable's, each --profile, each --set; --no-profile drops the first four
// and every --profile before it.
TEST_F(ProfileSearchTest, ProfilesLayerLineByLine) {
    const std::string site = (dir_ / "site.ini").string();
    const std::string by_variable = (dir_ / "variable.ini").string();
    const std::string named = (dir_ / "named.ini").string();
    const auto environment = [&](bool with_variable) {
        return [=, this](const std::string& name) -> std::optional<std::string> {
            if (name == "KORVALINE_PROFILE") {
                return with_variable ? by_variable : "";
            }
            return name == "KORVALINE_SITE_PROFILE" ? site : (dir_ / "config").string();
        };
    };
    const std::string user = default_profile_paths(environment(false)).user;
    std::filesystem::create_directories(std::filesystem::path(user).parent_path());
    std::ofstream(site) << "[SAINT]\nNROWS=1024\n[SCALE:CU]\nSCALE_WAVE=1.54184\n";
    std::ofstream(user) << "[SAINT]\nNCOLS=2048\n";
    std::ofstream(by_variable) << "[SAINT]\nNROWS=2048\n";
    std::ofstream(named) << "[SCALE]\nSCALE_WAVE=0.5\n";
    std::filesystem::create_directories(dir_ / "a" / "b");
    std::ofstream(dir_ / "a" / "korvaline.ini") << "[SAINT]\nNCOLS=3000\nNROWS=3000\n";
    std::ofstream(dir_ / "a" / "b" / "korvaline.ini") << "[SAINT]\nNCOLS=3001\n";
    const FolderSearch folders{(dir_ / "a" / "b").string(), dir_.string()};
    const struct {
        std::vector<std::string> named;  // --profile
        bool refused;                    // --no-profile
        bool with_variable;
        bool with_set;     // --set NCOLS=4096
        bool in_full;      // files named from the root in failures
        std::string used;  // the profiles' names, then NROWS NCOLS SCALE_WAVE for a Cu crystal
    } cases[] = {
        {{}, false, false, false, false, "site user a b; 3000 3001 1.54184"},
        {{named},
         false,
         true,
         true,
         true,
         "site user a b variable named --set NCOLS=4096; 2048 4096 0.5"},
        {{named}, true, true, false, false, "named; 512 512 0.5"},
        {{}, true, true, true, false, "--set NCOLS=4096; 512 4096 7.1073002E-01"},
        {{"missing.ini"}, false, true, false, false, "cannot open profile 'missing.ini': "},
        {{"missing.ini"},
         true,
         false,
         false,
         true,
         "cannot open profile '" + (std::filesystem::current_path() / "missing.ini").string()},
    };
    for (const auto& c : cases) {
        ProfileChoice choice{c.named, c.refused, {}};
        if (c.with_set) {
            choice.set.push_back(profile_from_setting("NCOLS=4096"));
        }
        std::string used;
        ScriptedConsole script("", {});
        try {
            const std::vector<Profile> profiles = load_profiles(
                choice, script.console, c.in_full, environment(c.with_variable), folders);
            for (const Profile& profile : profiles) {
                const std::filesystem::path path(profile.path);
                const std::string name = path.filename() == "korvaline.ini"
                                             ? path.parent_path().filename().string()
                                             : path.stem().string();
                used += (name == "profile" ? "user" : name) + " ";
            }
            std::vector<SaintIniLine> lines = saint_ini_lines(SetupRecord{});
            apply_profiles(profiles, "CU", lines);
            used.back() = ';';
            for (const char* key : {"NROWS", "NCOLS", "SCALE_WAVE"}) {
                used += " " + std::find_if(lines.begin(), lines.end(), [&](const SaintIniLine& l) {
                                  return l.key == key;
                              })->value;
            }
        } catch (const Failure& failure) {
            used = failure.what();
        }
        EXPECT_TRUE(used.starts_with(c.used)) << used << " rather than " << c.used;
    }
}

// A batch's log names the site's profile from the root, as every other.
TEST_F(ProfileSearchTest, ARelativeSiteProfileIsNamedInFull) {
    std::ofstream(dir_ / "site.ini") << "[SAINT]\nNROWS=x\n";
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    for (const bool in_full : {false, true}) {
        const std::string named =
            in_full ? (std::filesystem::current_path() / "site.ini").string() : "site.ini";
        ScriptedConsole script("", {});
        EXPECT_EQ(failure_message([&] {
                      load_profiles({}, script.console, in_full, [&](const std::string& name) {
                          return name == "KORVALINE_SITE_PROFILE" ? std::optional("site.ini")
                                                                  : std::nullopt;
                      });
                  }),
                  named + ":2: NROWS takes a whole number such as 512, not 'x'");
    }
    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace korvaline
