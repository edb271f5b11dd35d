#pragma once

#include "settings/settings_file.hpp"
#include "setup/console.hpp"
#include "setup/setup_record.hpp"

namespace korvaline {

// Appends the [STAT], [SORT], [FILTER], [SCALE] and [GLOBAL] sections
// (lines 100-223), puts saint.ini in place and tells the user that saint
// can be started.
void finish_settings_file(SettingsFile& file, const SetupRecord& record, Console& console);

void write_stat_section(SettingsFile& file, const SetupRecord& record);
void write_sort_section(SettingsFile& file, const SetupRecord& record);
void write_filter_section(SettingsFile& file, const SetupRecord& record);
void write_scale_section(SettingsFile& file, const SetupRecord& record);
void write_global_section(SettingsFile& file, const SetupRecord& record);

}  // namespace korvaline
