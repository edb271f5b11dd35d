#include "platform/places.hpp"

#include <cstdlib>

namespace korvaline {

std::optional<std::string> environment_value(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

}  // namespace korvaline
