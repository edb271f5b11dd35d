#pragma once

#include "console/console.hpp"
#include "core/setup_record.hpp"
#include "settings/profile.hpp"
#include "settings/settings_destination.hpp"

namespace korvaline {

// Announces the save, writes the 223 lines of saint.ini to `destination` (in
// place of any old file there), with the values of `profile` where one is
// used, and tells the user that saint can be started.
void write_settings_file(const SetupRecord& record, const Profile* profile,
                         const SettingsDestination& destination, Console& console);

}  // namespace korvaline
