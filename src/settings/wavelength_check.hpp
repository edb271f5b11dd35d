#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/setup_record.hpp"
#include "settings/saint_ini_lines.hpp"

namespace korvaline {

// What to tell the user when the SCALE_WAVE among `lines` contradicts the
// wavelength of the crystal's own source, as its P4P file gives it: they
// differ by more than 0.1 %. Empty when they agree or the P4P file gives no
// source. `written_from` says where the written value comes from ("built
// in", a profile), `settings_name` and `p4p_name` name the files.
std::string wavelength_note(const SetupRecord& record, const std::vector<SaintIniLine>& lines,
                            std::string_view written_from, std::string_view settings_name,
                            std::string_view p4p_name);

}  // namespace korvaline
