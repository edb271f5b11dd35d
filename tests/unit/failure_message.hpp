#pragma once

#include <string>

#include "core/failure.hpp"

namespace korvaline {

// What the Failure thrown by `action` says, or "(no failure)".
template <typename Action>
std::string failure_message(Action&& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return "(no failure)";
}

}  // namespace korvaline
