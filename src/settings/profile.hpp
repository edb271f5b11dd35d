#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "platform/places.hpp"
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

    std::string path;  // as it was named or found; for --set, the option: "--set NROWS=1024"
    std::vector<Entry> entries;
    // The name failures and notes give it: the path, from the root where the
    // run names files so.
    std::string called;
    bool from_set = false;  // one line given by --set

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

// Reads a profile and checks every line against the lines of saint.ini, and
// the value of a line whose built-in value is a number against that kind of
// number; the first fault is a Failure "<path>:<line number>: <what is
// wrong>".
// `called` names the file in failures; the path where it is empty.
Profile parse_profile(LineSource& lines, const std::string& path, const std::string& called = "");

// One line given on the command line as --set KEY=VALUE, checked as a line
// of a profile is, under the section that holds KEY (keys of saint.ini are
// unique across its sections): a Failure "--set KEY=VALUE: <what is wrong>".
Profile profile_from_setting(std::string_view setting);

// Where the profiles come from, as the command line says.
struct ProfileChoice {
    std::vector<std::string> named;  // --profile FILE, in order, since the last --no-profile
    bool refused = false;            // --no-profile: no default place, no KORVALINE_PROFILE
    std::vector<Profile> set;        // --set KEY=VALUE, in order
};

// The profiles to apply, lowest first: the site's default place, the user's,
// the file KORVALINE_PROFILE names, each --profile, each --set. Each later
// one changes only the lines it gives. A named profile that is missing, a
// default place that is a symbolic link to nothing, or any profile that
// cannot be read or is not a regular file, is a Failure; but where the
// user's own place is closed to the user for lack of permission, a note says
// so and the run goes on without it. `names_in_full`: failures and notes
// name a file given by a relative path from the root.
std::vector<Profile> load_profiles(const ProfileChoice& choice, Console& console,
                                   bool names_in_full = false,
                                   const EnvironmentLookup& environment = environment_value);

// Gives the fixed lines that the profile sets, for a crystal from `source`,
// the profile's values.
void apply_profile(const Profile& profile, std::string_view source,
                   std::vector<SaintIniLine>& lines);

// The same for every profile in turn, lowest first, so that for each line
// the highest one that gives it decides.
void apply_profiles(const std::vector<Profile>& profiles, std::string_view source,
                    std::vector<SaintIniLine>& lines);

// The highest of `profiles` that gives `key` of `section` for `source`; null
// where none does.
const Profile* profile_giving(const std::vector<Profile>& profiles, std::string_view section,
                              std::string_view key, std::string_view source);

// A profile to start from: every line a profile may set, under its section,
// with its built-in value, commented out. Used as it is, or with every such
// line taken in, it changes nothing.
std::string profile_template();

}  // namespace korvaline
