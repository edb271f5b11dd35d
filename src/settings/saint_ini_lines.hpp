#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/setup_record.hpp"

namespace korvaline {

// One line of saint.ini. Every section opens with a separator line (one
// blank, which saint expects) and its header, then its key lines in order.
struct SaintIniLine {
    enum class Kind { kSeparator, kHeader, kKey };

    Kind kind = Kind::kKey;
    std::string section;  // "INTEGRATE" for the header "[INTEGRATE]" and its lines
    std::string key;      // empty but on key lines
    std::string value;
    // Whether the text is the same for every project: false for the lines
    // built from the project, its runs or its P4P file.
    bool fixed = true;
    // Whether the value is the row's own: false once a profile or --set
    // changes it, and on every line built from the crystal.
    bool built_in_value = true;
    // What gave the value: "built-in", "frames", "P4P file abc1.p4p:3", a
    // profile's "FILE:LINE" or "--set".
    std::string origin = "built-in";

    // The line as saint.ini holds it, without its line feed.
    std::string text() const;
};

// The 223 lines of saint.ini for `record`, in order. Touches no file.
std::vector<SaintIniLine> saint_ini_lines(const SetupRecord& record);

// The key line of `section` and `key` among `lines`; null where there is none.
const SaintIniLine* key_line(const std::vector<SaintIniLine>& lines, std::string_view section,
                             std::string_view key);

}  // namespace korvaline
