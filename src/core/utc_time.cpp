#include "core/utc_time.hpp"

#include <chrono>
#include <cstdio>

namespace korvaline {

std::string iso_utc_time(std::int64_t seconds) {
    using namespace std::chrono;
    const sys_seconds time{std::chrono::seconds(seconds)};
    const sys_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss<std::chrono::seconds> clock(time - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    return text;
}

std::string readable_utc_time(std::string_view iso_time) {
    // 2026-12-01T02:00:00Z
    if (iso_time.size() != 20 || iso_time[10] != 'T' || iso_time.back() != 'Z') {
        return std::string(iso_time);
    }
    return std::string(iso_time.substr(0, 10)) + " " + std::string(iso_time.substr(11, 5)) + " UTC";
}

}  // namespace korvaline
