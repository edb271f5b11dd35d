#include "platform/places.hpp"

#include <cstdlib>

namespace korvaline {

std::string environment_value(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace korvaline
