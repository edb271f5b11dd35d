#include "settings/wavelength_check.hpp"

#include <cmath>

#include "core/numbers.hpp"

namespace korvaline {

namespace {

// Wavelengths are given to five or six figures; closer than this they are
// one source's, however each is written. The slack keeps a difference of
// exactly 0.1 % inside on either side, whatever the rounding.
constexpr double kTolerance = 0.001 * (1 + 1e-9);

}  // namespace

std::string wavelength_note(const SetupRecord& record, const std::vector<SaintIniLine>& lines,
                            std::string_view written_from, std::string_view settings_name,
                            std::string_view p4p_name) {
    const SaintIniLine* written = key_line(lines, "SCALE", "SCALE_WAVE");
    if (!record.source || written == nullptr || !is_number(written->value)) {
        return "";
    }
    const double crystal = number_value(record.source->wavelength);
    if (std::fabs(number_value(written->value) - crystal) <= kTolerance * crystal) {
        return "";
    }
    return std::string(p4p_name) + " gives the source " + record.source->target + ", " +
           record.source->wavelength + " A, but " + std::string(settings_name) + " gets " +
           written->text() + " (" + std::string(written_from) + ")";
}

}  // namespace korvaline
