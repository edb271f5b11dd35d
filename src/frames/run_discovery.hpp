#pragma once

#include <cstdint>

#include "setup/console.hpp"
#include "setup/file_exists.hpp"
#include "setup/fixed_text.hpp"
#include "setup/setup_record.hpp"

namespace korvaline {

// The highest frame number a run can have: frame names carry three digits.
constexpr std::int32_t kMaxFrames = 999;

// The name of frame `frame_number` (1 to 999) of a run: the trimmed base name,
// a full stop and the number in three digits, cut at 20 characters.
FixedText frame_file_name(const FixedText& base_name, std::int32_t frame_number);

// Looks at runs 1 to 4 of the project, counts the unbroken series of frames
// from 001 on in each run found, and prints one line per run found. Fills
// `runs` and `last_run`. One existence test per name, nothing cached.
void discover_runs(SetupRecord& record, Console& console,
                   const ExistenceTest& exists = file_exists);

}  // namespace korvaline
