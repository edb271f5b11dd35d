#pragma once

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "core/setup_record.hpp"

namespace korvaline {

// Reads the P4P file named by `p4p_name` and takes the title (TITLE line),
// the crystal system and centering field (BRAVAIS line) and the Laue symbol
// (SYMM line). The scan stops at the first SYMM or SAINOV line; a file that
// cannot be opened, is not a regular file, or ends before either, is a
// Failure. A scan ended by SAINOV, which leaves the Laue symbol blank, is
// told in a note.
void read_p4p_file(SetupRecord& record, Console& console);

enum class P4pScanEnd { kSymm, kSainov };

// The scan itself, on lines from any source; tells which line ended it.
P4pScanEnd scan_p4p_lines(LineSource& lines, SetupRecord& record);

}  // namespace korvaline
