#pragma once

#include "console/console.hpp"
#include "core/setup_record.hpp"

namespace korvaline {

// Announces the save, writes the 223 lines of saint.ini in place of any old
// one, and tells the user that saint can be started.
void write_settings_file(const SetupRecord& record, Console& console);

}  // namespace korvaline
