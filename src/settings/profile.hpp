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
        std::string source;  // the target in upper case; empty on a common line
    };

    std::string path;  // as it was named or found
    std::vector<Entry> entries;

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
Profile parse_profile(LineSource& lines, const std::string& path);

// Where the profile comes from, as the command line says.
struct ProfileChoice {
    std::optional<std::string> named;  // --profile FILE
    bool refused = false;              // --no-profile
};

// The profile to use: the one named on the command line, else the one
// $KORVALINE_PROFILE names, else the first of the default places that holds
// one; none with --no-profile or where no default place holds one. A named
// profile that is missing, a default place that is a symbolic link to
// nothing, or any profile that cannot be read or is not a regular file, is a
// Failure; but where the user's own place is closed to the user for lack of
// permission, a note says so and the site's place is looked at.
std::optional<Profile> load_profile(const ProfileChoice& choice, Console& console,
                                    const EnvironmentLookup& environment = environment_value);

// Gives the fixed lines that the profile sets, for a crystal from `source`,
// the profile's values.
void apply_profile(const Profile& profile, std::string_view source,
                   std::vector<SaintIniLine>& lines);

// A profile to start from: every line a profile may set, under its section,
// with its built-in value, commented out. Used as it is, or with every such
// line taken in, it changes nothing.
std::string profile_template();

}  // namespace korvaline
