#pragma once

#include "settings/settings_file.hpp"
#include "setup/console.hpp"
#include "setup/setup_record.hpp"

namespace korvaline {

// Announces the save, writes the whole of saint.ini (223 lines in eight
// sections) and puts it in place; the last three sections and the closing
// message come from finish_settings_file.
void write_settings_file(const SetupRecord& record, Console& console);

// Lines 1-5, 6-19 and 20-99 of saint.ini.
void write_saint_section(SettingsFile& file);
void write_configure_section(SettingsFile& file);
void write_integrate_section(SettingsFile& file, const SetupRecord& record);

}  // namespace korvaline
