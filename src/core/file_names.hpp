#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/fixed_text.hpp"

namespace korvaline {

// Every file name the program builds from the project comes from here. The
// functions give the whole name, as saint.ini names it; the program tests or
// opens a name only as name_as_tested() leaves it.

// Names the program tests or opens are cut here without notice.
constexpr std::size_t kNameWidth = 20;

// The highest frame number a run can have: frame names carry three digits.
constexpr std::int32_t kMaxFrames = 999;

// The first kNameWidth characters of `whole`: the name the file system is
// asked about.
FixedText name_as_tested(std::string_view whole);

// The base of run `run_number`'s frame names: the project and the run digit
// (abc1).
std::string run_base_name(const FixedText& project, std::int32_t run_number);

// Frame `frame_number` (1 to 999) of a run: the base, a full stop and the
// number in three digits (abc1.007).
std::string frame_file_name(std::string_view base, std::int32_t frame_number);

// The first frame of run 1 (abc1.001), whose existence makes a project.
std::string first_frame_name(const FixedText& project);

// The P4P file offered for a project: run 1's base and ".p4p" (abc1.p4p).
std::string default_p4p_name(const FixedText& run_one_base);

// A file saint makes under ./work/: the stem and a fixed suffix
// (./work/abcm.raw).
std::string work_file_name(std::string_view stem, std::string_view suffix);

}  // namespace korvaline
