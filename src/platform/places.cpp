#include "platform/places.hpp"

#include <cstdlib>

namespace korvaline {

std::optional<std::string> environment_value(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

DefaultProfilePaths default_profile_paths(const EnvironmentLookup& environment) {
    DefaultProfilePaths paths = system_profile_paths(environment);
    // As git's GIT_CONFIG_SYSTEM: for an install under another prefix, and
    // for tests that must not see the machine's own.
    if (const std::optional<std::string> site = environment("KORVALINE_SITE_PROFILE")) {
        paths.site = *site;
    }
    return paths;
}

std::string name_in_messages(const std::string& name, bool in_full) {
    return in_full ? absolute_path(name) : name;
}

}  // namespace korvaline
