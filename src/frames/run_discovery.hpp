#pragma once

#include "console/console.hpp"
#include "core/setup_record.hpp"
#include "platform/file_exists.hpp"

namespace korvaline {

// Looks at runs 1 to 4 of the project, counts the unbroken series of frames
// from 001 on in each run found, and prints one line per run found. Fills
// `runs` and `last_run`. One existence test per name, nothing cached.
void discover_runs(SetupRecord& record, Console& console,
                   const ExistenceTest& exists = frame_file_exists);

}  // namespace korvaline
