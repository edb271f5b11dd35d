#pragma once

// The one place that includes <windows.h>, with the settings the program's
// Windows layer wants: no min/max macros, no rarely used parts.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

namespace korvaline {

// Handles are kept as integers in the headers every system shares.
inline HANDLE as_handle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

inline std::intptr_t as_integer(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

}  // namespace korvaline
