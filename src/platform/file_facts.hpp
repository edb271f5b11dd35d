#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvaline {

// Seconds since 1970-01-01 00:00:00 UTC, as file times and the clock give them.
using EpochSeconds = std::int64_t;

// What the directory knows of a file, read without opening it.
struct FileFacts {
    std::uintmax_t size = 0;
    EpochSeconds modified = 0;
};

// The size and modification time of the file named `path`, a relative one
// taken in the current directory. A symbolic link is followed, so a frame
// linked from elsewhere tells the time its data was written. None when there
// is no such file (as name_exists counts "no such file"); any other failure
// is a Failure "cannot read the size and time of <called>: <why>", where
// `called` is the path as given or from the root (see name_in_messages).
std::optional<FileFacts> file_facts(const std::string& path, const std::string& called);
inline std::optional<FileFacts> file_facts(const std::string& path) {
    return file_facts(path, path);
}

// The current time by the system's clock.
EpochSeconds current_time();

}  // namespace korvaline
