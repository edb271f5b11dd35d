#pragma once

#include "console/console.hpp"
#include "core/setup_record.hpp"
#include "settings/profile.hpp"

namespace korvaline {

// Announces the save, writes the 223 lines of saint.ini in place of any old
// one, with the values of `profile` where one is used, and tells the user
// that saint can be started.
void write_settings_file(const SetupRecord& record, const Profile* profile, Console& console);

}  // namespace korvaline
