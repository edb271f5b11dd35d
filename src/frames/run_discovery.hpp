#pragma once

#include "console/console.hpp"
#include "core/setup_record.hpp"
#include "files/file_exists.hpp"
#include "frames/listed_frames.hpp"

namespace korvaline {

// Looks at runs 1 to 4 of the project, counts the unbroken series of frames
// from 001 on in each run found, and prints one line per run found; then
// notes each of runs 5 to 9 whose first frame exists. Fills `runs` and
// `last_run`. The frames' directory is listed once, first: a name it holds
// for certain is there, and every other name is given to `look_up`, once.
void discover_runs(
    SetupRecord& record, Console& console, const ExistenceTest& look_up = frame_file_exists,
    const FrameLister& list = [](const FixedText& project) { return list_frames(project); });

}  // namespace korvaline
