#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvaline {

// A time in seconds since 1970-01-01 00:00:00 UTC as ISO 8601 writes it in
// UTC: "2026-12-01T02:00:00Z".
std::string iso_utc_time(std::int64_t seconds);

// The same time as a sentence gives it: "2026-12-01 02:00 UTC". A text that
// is no such time is given as it stands.
std::string readable_utc_time(std::string_view iso_time);

}  // namespace korvaline
