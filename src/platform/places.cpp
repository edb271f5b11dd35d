#include "platform/places.hpp"

#include <cstdlib>

namespace korvaline {

std::optional<std::string> environment_value(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

std::string name_in_messages(const std::string& name, bool in_full) {
    return in_full ? absolute_path(name) : name;
}

}  // namespace korvaline
