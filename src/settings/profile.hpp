#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/saint_ini_lines.hpp"

namespace korvaline {

// A site's own values for the fixed lines of saint.ini (its detector, its
// source, its paths), read from a file in saint.ini's own form: [SECTION]
// lines, KEY=VALUE lines, blank lines and comment lines starting with ; or #.
// Lines under [SECTION:TARGET] are for the crystals of one X-ray source (the
// target that the P4P file's SOURCE line names) and take the place of the
// section's common lines for them.
struct Profile {
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
        std::string source;    // the target in upper case; empty on a common line
        std::size_t line = 0;  // its line in the file, from 1; 1 for a --set
    };

    // A line of the program's own section, [KORVALINE], which is no
    // section of saint.ini.
    struct OwnSetting {
        std::vector<std::string> values;  // SOURCE's one target; ACCEPT's names
        std::size_t line = 0;
    };

    std::string path;  // as it was named or found; for --set, the option: "--set NROWS=1024"
    std::vector<Entry> entries;
    // The name failures and notes give it: the path, from the root where the
    // run names files so.
    std::string called;
    bool from_set = false;  // one line given by --set
    // [KORVALINE] SOURCE=CU: the target where nothing else names one.
    std::optional<OwnSetting> source_setting;
    // [KORVALINE] ACCEPT=NAME,...: notes a person has seen and accepts.
    std::optional<OwnSetting> accept_setting;

    // Where a value from it comes from, as a note says: "from PATH", "from --set".
    std::string origin() const;

    // The targets the profile has lines for, in the order they first appear.
    std::vector<std::string> sources() const;
    // Whether it has lines for `source`.
    bool has_lines_for(std::string_view source) const;
    // The line that sets `key` of `section` for a crystal from `source` (empty
    // when the P4P file names none): the line for that source, else the
    // common one; null where the profile leaves the key alone.
    const Entry* entry_for(std::string_view section, std::string_view key,
                           std::string_view source) const;
};

// Gives the fixed lines that the profile sets, for a crystal from `source`,
// the profile's values.
void apply_profile(const Profile& profile, std::string_view source,
                   std::vector<SaintIniLine>& lines);

// The same for every profile in turn, lowest first, so that for each line
// the highest one that gives it decides.
void apply_profiles(const std::vector<Profile>& profiles, std::string_view source,
                    std::vector<SaintIniLine>& lines);

// The highest of `profiles` that gives [KORVALINE] SOURCE, or ACCEPT; null
// where none does. The highest decides alone: lists are not merged.
const Profile* profile_giving_source(const std::vector<Profile>& profiles);
const Profile* profile_giving_accept(const std::vector<Profile>& profiles);

// The notes the highest profile that gives ACCEPT accepts; none without one.
std::vector<std::string> notes_accepted_by(const std::vector<Profile>& profiles);

// The highest of `profiles` that gives `key` of `section` for `source`; null
// where none does.
const Profile* profile_giving(const std::vector<Profile>& profiles, std::string_view section,
                              std::string_view key, std::string_view source);

}  // namespace korvaline
