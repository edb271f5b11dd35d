#include "settings/settings_destination.hpp"

#include "files/absolute_path.hpp"

namespace korvaline {

SettingsDestination SettingsDestination::chosen(const std::optional<std::string>& output,
                                                bool directory_changed) {
    SettingsDestination destination;
    if (output == "-") {
        destination.standard_output_ = true;
        destination.name_ = "standard output";
    } else if (output || directory_changed) {
        destination.name_ = absolute_path(output.value_or(destination.name_));
    }
    return destination;
}

}  // namespace korvaline
