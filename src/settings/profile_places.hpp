#pragma once

#include <string>
#include <vector>

#include "console/console.hpp"
#include "platform/places.hpp"
#include "settings/profile.hpp"

namespace korvaline {

// Where an instrument profile is looked for when none is named: the user's
// own place, then the site's. Each is empty where it is left out: the user's
// where the system gives no user's configuration folder, the site's where
// KORVALINE_SITE_PROFILE, which names it in place of the usual one, is set
// and empty.
struct DefaultProfilePaths {
    std::string user;
    std::string site;
};
DefaultProfilePaths default_profile_paths(const EnvironmentLookup& environment = environment_value);

// Those places as the help text names them, one to a line or two.
std::string default_profile_places();

// Where folder profiles are looked for: from the crystal's folder (the
// current directory where empty) up to `top` (the root where empty).
struct FolderSearch {
    std::string crystal_folder;
    std::string top;
};

// Where the profiles come from, as the command line says.
struct ProfileChoice {
    std::vector<std::string> named;  // --profile FILE, in order, since the last --no-profile
    bool refused = false;      // --no-profile: no default place, no folder's, no KORVALINE_PROFILE
    std::vector<Profile> set;  // --set KEY=VALUE, in order
};

// The profiles to apply, lowest first: the site's default place, the user's,
// the folder profiles (farthest first), the file KORVALINE_PROFILE names,
// each --profile, each --set. Each later
// one changes only the lines it gives. A named profile that is missing, a
// default place that is a symbolic link to nothing, or any profile that
// cannot be read or is not a regular file, is a Failure; but where the
// user's own place is closed to the user for lack of permission, a note says
// so and the run goes on without it. `names_in_full`: failures and notes
// name a file given by a relative path from the root.
std::vector<Profile> load_profiles(const ProfileChoice& choice, Console& console,
                                   bool names_in_full = false,
                                   const EnvironmentLookup& environment = environment_value,
                                   const FolderSearch& folders = {});

}  // namespace korvaline
