#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/utc_time.hpp"
#include "platform/sha256.hpp"
#include "scratch_directory.hpp"
#include "settings/old_file_review.hpp"
#include "settings/old_settings.hpp"
#include "settings/profile_reader.hpp"
#include "settings/save_log.hpp"
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
// by its name, escaped; the notes in the order given. A profile's SOURCE
// comes after --source and the P4P file's.
TEST(SettingsNotesTest, ProfilesAndSourcesAsComposed) {
    const Profile lab{"lab\x1b[2J.ini",
                      {{"SCALE", "SCALE_WAVE", "1.54184", "CU", 7}},
                      "/d/lab.ini",
                      false,
                      {},
                      {}};
    const Profile set = profile_from_setting("NROWS=1024");
    const struct {
        std::optional<XraySource> source;
        std::optional<std::string> chosen;
        std::string said;
        bool lab_gives_source = false;  // [KORVALINE] SOURCE=CU on its line 3
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
        {std::nullopt, std::nullopt,
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini, lines for CU|INSTRUMENT PROFILE: --set NROWS=1024|"
         "X-RAY SOURCE: CU (from lab\\x1b[2J.ini:3)|",
         true},
        {XraySource{"MO", "0.71073"}, std::nullopt,
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini|INSTRUMENT PROFILE: --set NROWS=1024|", true},
        {std::nullopt, "AG",
         "INSTRUMENT PROFILE: lab\\x1b[2J.ini|INSTRUMENT PROFILE: --set NROWS=1024|", true},
    };
    for (const auto& c : cases) {
        SetupRecord record;
        record.source = c.source;
        Profile giving = lab;
        if (c.lab_gives_source) {
            giving.source_setting = Profile::OwnSetting{{"CU"}, 3};
        }
        const ComposedSettings composed =
            compose_settings(record, {giving, set}, c.chosen, {"saint.ini", "abc1.p4p"});
        std::string said;
        for (const std::string& text : composed.profiles_used) {
            said += text + "|";
        }
        for (const Note& note : composed.notes) {
            said += note.text + " [" + std::string(note.name) + "]|";
        }
        EXPECT_EQ(said, c.said);
        const SaintIniLine* nrows = key_line(composed.lines, "SAINT", "NROWS");
        EXPECT_EQ(nrows->text() + " " + nrows->origin, "NROWS=1024 --set");
        EXPECT_FALSE(nrows->built_in_value);
        // The line a profile gives names the profile as standard output does.
        const SaintIniLine* wave = key_line(composed.lines, "SCALE", "SCALE_WAVE");
        EXPECT_EQ(wave->origin, wave->value == "1.54184" ? "lab\\x1b[2J.ini:7" : "built-in");
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
        {"[SAINT:CU]\nNROWS=1\n[SAINT]\rNROWS=1\r", ""},
        {"\xEF\xBB\xBF[SAINT]\nNROWS=1\n",
         "the old saint.ini had other values in 1 line (NROWS); they are replaced"},
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

// A block as the log gets it, from facts given here (no clock, no host).
TEST(SaveLogTest, BlockTellsTheSave) {
    SetupRecord record;
    record.project_name.assign("abc");
    record.p4p_name.assign("abc1.p4p");
    record.p4p_lines.title = 2;
    record.title.assign("Test compound");
    SavedFile saved;
    saved.run = {iso_utc_time(1796090400),
                 "1.0",
                 "alice",
                 "node7",
                 "/data/mo1",
                 {"korvaline", "-p", "abc", "--set", "TITLE=a b", ""}};
    saved.file = "/data/mo1/saint.ini";
    saved.sha256 = sha256_hex("abc");
    saved.backup = "/data/mo1/saint.ini.~1~";
    saved.profiles = {"INSTRUMENT PROFILE: /etc/korvaline/profile.ini"};
    saved.lines = saint_ini_lines(record);
    for (SaintIniLine& line : saved.lines) {
        if (line.key == "READNOISE") {
            line = {line.kind, line.section, line.key, "20.000", true, false, "/etc/p.ini:12"};
        }
    }
    saved.changed = {*key_line(saved.lines, "CONFIGURE", "READNOISE")};
    saved.p4p = "abc1.p4p, 175 bytes, modified " + iso_utc_time(951868799);
    saved.runs = {"abc1, 12 frames"};
    saved.notes = {"a\nb [frame-gap]"};
    const std::string block = log_block(saved);
    EXPECT_TRUE(block.starts_with(
        "== 2026-12-01T02:00:00Z /data/mo1/saint.ini\nversion: 1.0\nuser: alice\nhost: node7\n"
        "directory: /data/mo1\ncommand: korvaline -p abc --set 'TITLE=a b' ''\n"
        "file: /data/mo1/saint.ini\nsha256: "
        "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  /data/mo1/saint.ini\n"
        "backup: /data/mo1/saint.ini.~1~\n"
        "profile: INSTRUMENT PROFILE: /etc/korvaline/profile.ini\n"
        "line: /etc/p.ini:12\tREADNOISE=20.000\nline: P4P file abc1.p4p:2\tTITLE=Test compound\n"))
        << block;
    EXPECT_TRUE(
        block.ends_with("changed: /etc/p.ini:12\tREADNOISE=20.000\n"
                        "p4p: abc1.p4p, 175 bytes, modified 2000-02-29T23:59:59Z\n"
                        "run: abc1, 12 frames\nnote: a\\nb [frame-gap]\n\n"))
        << block;
    // Built lines are listed; lines holding their built-in value are not.
    EXPECT_NE(block.find("line: frames\tNFRAMES=  0,  0,  0,  0\n"), std::string::npos);
    EXPECT_EQ(block.find("NROWS"), std::string::npos);
    // The block read back.
    const std::optional<LastSave> last = last_save_of(block, "saint.ini");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->time + " " + last->sha256, "2026-12-01T02:00:00Z " + saved.sha256);
}

// The last block for the file in the log's directory, whatever path the
// block gives it, that has a digest.
TEST(SaveLogTest, LastSaveOfAFile) {
    const std::string a = "== 2026-11-01T02:00:00Z /d/saint.ini\nsha256: aaa  /d/saint.ini\n\n";
    const std::string b = "== 2026-11-02T02:00:00Z /old/d/saint.ini\nsha256: bbb  x\n\n";
    const std::string other = "== 2026-11-03T02:00:00Z /d/out.ini\nsha256: ccc  /d/out.ini\n\n";
    const std::string no_digest = "== 2026-11-04T02:00:00Z /d/saint.ini\nfile: x\n\n";
    const struct {
        std::string log;
        std::string found;  // "TIME DIGEST"; empty: none
    } cases[] = {
        {"", ""},
        {a, "2026-11-01T02:00:00Z aaa"},
        {a + b + other, "2026-11-02T02:00:00Z bbb"},
        {b + a + no_digest, "2026-11-01T02:00:00Z aaa"},
        {other + no_digest + "sha256: ddd  /d/saint.ini\n", ""},
        {"== 2026-11-05T02:00:00Z C:\\d\\saint.ini\r\nsha256: eee  C:\\d\\saint.ini\n",
         "2026-11-05T02:00:00Z eee"},
    };
    for (const auto& c : cases) {
        const std::optional<LastSave> last = last_save_of(c.log, "/d/saint.ini");
        EXPECT_EQ(last ? last->time + " " + last->sha256 : "", c.found) << c.log;
    }
}

// The old file against the new lines and the log's last save of it.
TEST(SaveLogTest, ReviewOfTheOldFile) {
    SetupRecord record;
    record.project_name.assign("abc");
    record.run(1).frame_count = 60;
    const std::vector<SaintIniLine> lines = saint_ini_lines(record);
    const std::string written = settings_text(lines);
    std::string edited = written;
    edited.replace(edited.find("NFRAMES= 60"), 11, "NFRAMES= 55");
    std::string profile_changed = written;
    profile_changed.replace(profile_changed.find("AIRMU=0.0012"), 12, "AIRMU=0.0020");
    const LastSave of_written{"2026-12-01T02:00:00Z", sha256_hex(written)};
    const LastSave of_edited{"2026-12-01T02:00:00Z", sha256_hex(edited)};
    const std::string hand_edit =
        "saint.ini was changed after korvaline wrote it on 2026-12-01 02:00 UTC; the new one "
        "differs in 1 line (NFRAMES); it ";
    const struct {
        std::optional<std::string> old;
        std::optional<LastSave> last;
        bool strict;
        std::string review;  // "unchanged", or the note's name, note and changed keys
    } cases[] = {
        {std::nullopt, of_written, false, "||"},
        {written, of_edited, true, "unchanged"},
        {edited, std::nullopt, false, "old-values||"},
        {profile_changed, std::nullopt, true,
         "old-values|the old saint.ini had other values in 1 line (AIRMU); they would be "
         "replaced|"},
        {edited, of_written, false, "hand-edit|" + hand_edit + "is replaced|"},
        {edited, of_written, true, "hand-edit|" + hand_edit + "would be replaced|"},
        {edited, of_edited, true, "||NFRAMES "},
        {profile_changed, LastSave{"2026-12-01T02:00:00Z", sha256_hex(profile_changed)}, true,
         "||AIRMU "},
    };
    for (const auto& c : cases) {
        const std::optional<OldSettings> old =
            c.old ? std::optional<OldSettings>({*c.old, true}) : std::nullopt;
        const OldFileReview review = review_old_file(old, lines, c.last, "saint.ini", c.strict);
        std::string got = std::string(review.note.name) + "|" + review.note.text + "|";
        for (const SaintIniLine& line : review.changed) {
            got += line.key + " ";
        }
        EXPECT_EQ(review.unchanged ? "unchanged" : got, c.review);
    }
}

}  // namespace
}  // namespace korvaline
