#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "scratch_directory.hpp"
#include "settings/old_settings.hpp"
#include "settings/settings_composer.hpp"
#include "settings/wavelength_check.hpp"

namespace korvaline {
namespace {

TEST(SettingsNotesTest, WavelengthAgainstTheCrystalsSource) {
    const struct {
        std::optional<XraySource> source;
        std::string written;  // SCALE_WAVE
        std::string note;
    } cases[] = {
        {std::nullopt, "7.1073002E-01", ""},
        {XraySource{"MO", "0.71073"}, "7.1073002E-01", ""},
        {XraySource{"CU", "1.54184"}, "1.5418", ""},
        {XraySource{"CU", "1.54184"}, "1.5433", ""},  // 0.095 % off
        {XraySource{"CU", "1.54184"}, "1.5434",
         "abc1.p4p gives the source CU, 1.54184 A, but saint.ini gets SCALE_WAVE=1.5434 (there)"},
        {XraySource{"CU", "1.54184"}, "1.5402",
         "abc1.p4p gives the source CU, 1.54184 A, but saint.ini gets SCALE_WAVE=1.5402 (there)"},
        {XraySource{"CU", "1.54184"}, "7.1073002E-01",
         "abc1.p4p gives the source CU, 1.54184 A, but saint.ini gets SCALE_WAVE=7.1073002E-01 "
         "(there)"},
    };
    for (const auto& c : cases) {
        SetupRecord record;
        record.p4p_name.assign("abc1.p4p");
        record.source = c.source;
        std::vector<SaintIniLine> lines = saint_ini_lines(record);
        for (SaintIniLine& line : lines) {
            line.value = line.key == "SCALE_WAVE" ? c.written : line.value;
        }
        EXPECT_EQ(wavelength_note(record, lines, "there", "saint.ini", "abc1.p4p"), c.note)
            << c.written;
    }
}

// What the composition says of the profiles and the sources: each profile
// by its name, escaped; the notes in the order given.
TEST(SettingsNotesTest, ProfilesAndSourcesAsComposed) {
    Profile lab{"lab\x1b[2J.ini", {{"SCALE", "SCALE_WAVE", "1.54184", "CU"}}, "/d/lab.ini", false};
    const Profile set = profile_from_setting("NROWS=1024");
    const struct {
        std::optional<XraySource> source;
        std::optional<std::string> chosen;
        std::string said;
    } cases[] = {
        {std::nullopt, std::nullopt,
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini|INSTRUMENT PROFILE: --set NROWS=1024|"
         "abc1.p4p names no X-ray source; only the common lines of /d/lab.ini were used, not its "
         "lines for CU [no-source]|"},
        {std::nullopt, "CU",
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini, lines for CU|INSTRUMENT PROFILE: --set NROWS=1024|"},
        {XraySource{"MO", "0.71073"}, "CU",
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini, lines for CU|INSTRUMENT PROFILE: --set NROWS=1024|"
         "abc1.p4p names the source MO, 0.71073 A, but --source gives CU; profile lines are taken "
         "for "
         "CU [source-override]|abc1.p4p gives the source MO, 0.71073 A, but saint.ini gets "
         "SCALE_WAVE=1.54184 (from /d/lab.ini) [wavelength]|"},
        {XraySource{"CU", "1.54184"}, "CU",
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini, lines for CU|INSTRUMENT PROFILE: --set NROWS=1024|"},
    };
    for (const auto& c : cases) {
        SetupRecord record;
        record.source = c.source;
        const ComposedSettings composed =
            compose_settings(record, {lab, set}, c.chosen, {"saint.ini", "abc1.p4p"});
        std::string said;
        for (const std::string& text : composed.profiles_used) {
            said += text + "|";
        }
        for (const Note& note : composed.notes) {
            said += note.text + " [" + std::string(note.name) + "]|";
        }
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(key_line(composed.lines, "SAINT", "NROWS")->value, "1024");
    }
}

using OldSettingsTest = ScratchDirectoryTest;

// What an old file, read from disk, held that the new lines replace.
TEST_F(OldSettingsTest, ValuesReplacedBeyondThoseOfTheCrystal) {
    std::string new_text;
    SetupRecord record;
    record.project_name.assign("abc");
    const std::vector<SaintIniLine> lines = saint_ini_lines(record);
    for (const SaintIniLine& line : lines) {
        new_text += line.text() + "\n";
    }
    const std::string near_limit = "[SAINT]\nNCOLS=1\n;" + std::string(65536 - 26, 'x') + "\n";
    const struct {
        std::string old_text;
        std::string note;
    } cases[] = {
        {new_text, ""},
        {"[SAINT]\nNROWS=1024\n[CONFIGURE]\nAIRMU=0.5\nBIAS=3\n[SCALE]\nSCALE_WAVE=1.54184\n",
         "the old saint.ini had other values in 4 lines (NROWS, AIRMU, BIAS); they are replaced"},
        {"[INTEGRATE]\nTITLE=other\nPARNAME=x.p4p\n[STAT]\nSTATINNAME=xt.raw\n", ""},
        {"NROWS=1\n[OTHER]\nNROWS=2\n[SAINT]\ngarbage\nGAIN=3\n[SCALE]\nNROWS=4\n", ""},
        {"[SAINT]\r\nNROWS = 512 \r\n\t[SCALE] \nSCALE_WAVE=\t7.1073002E-01\n", ""},
        {"[SAINT]\r\nNROWS=1024\r\nNROWS=2048\nNROWS=512\n[GLOBAL]\nNROWS=1\nFRAMESIZE=1\n",
         "the old saint.ini had other values in 2 lines (NROWS, FRAMESIZE); they are replaced"},
        {near_limit + "NROWS=512\n",  // NROWS=51 within the first 64 KiB
         "the old saint.ini had other values in 1 line (NCOLS); they are replaced"},
        {std::string(70000, 'x') + "\n[SAINT]\nNROWS=1\n", ""},
    };
    const std::filesystem::path old_file = dir_ / "saint.ini";
    for (const auto& c : cases) {
        std::ofstream(old_file, std::ios::binary) << c.old_text;
        EXPECT_EQ(replaced_values_note(old_settings_start(old_file.string()), lines, "saint.ini"),
                  c.note)
            << c.old_text.substr(0, 100);
    }
    std::filesystem::remove(old_file);
    EXPECT_EQ(old_settings_start(old_file.string()), "");
    std::filesystem::create_directory(old_file);
    EXPECT_EQ(old_settings_start(old_file.string()), "");
}

}  // namespace
}  // namespace korvaline
