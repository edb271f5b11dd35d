#pragma once

#include <string>
#include <string_view>

#include "console/line_source.hpp"
#include "settings/profile.hpp"

namespace korvaline {

// Reads a profile and checks every line against the lines of saint.ini, and
// the value of a line whose built-in value is a number against that kind of
// number; the first fault is a Failure "<path>:<line number>: <what is
// wrong>".
// `called` names the file in failures; the path where it is empty.
Profile parse_profile(LineSource& lines, const std::string& path, const std::string& called = "");

// One line given on the command line as --set KEY=VALUE, checked as a line
// of a profile is, under the section that holds KEY (keys of saint.ini are
// unique across its sections): a Failure "--set KEY=VALUE: <what is wrong>".
Profile profile_from_setting(std::string_view setting);

}  // namespace korvaline
