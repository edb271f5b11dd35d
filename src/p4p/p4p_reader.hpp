#pragma once

#include <string>
#include <vector>

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "core/setup_record.hpp"

namespace korvaline {

// Reads the P4P file named by `p4p_name` and takes the title (TITLE line),
// the crystal system and centering field (BRAVAIS line) and the Laue symbol
// (SYMM line), and the X-ray source (SOURCE line). The scan stops at the first SYMM or SAINOV line;
// a file that cannot be opened, is not a regular file, or ends before either, is a Failure. A scan
// ended by SAINOV, which leaves the Laue symbol blank, a cut title, a tab among the columns read
// and a SOURCE line that cannot be used are told in notes.
void read_p4p_file(SetupRecord& record, Console& console);

enum class P4pScanEnd { kSymm, kSainov };

// What the scan found besides the fields: which line ended it, and what the
// user may not expect of the lines it took the fields from.
struct P4pScan {
    P4pScanEnd end = P4pScanEnd::kSymm;
    bool title_cut = false;                // text stood beyond the title's columns
    std::vector<std::string> tabbed_keys;  // TITLE, BRAVAIS, SYMM: a tab among the columns read
    std::vector<std::size_t> passed_over_sources;  // numbers of SOURCE lines that name no source
};

// The scan itself, on lines from any source.
P4pScan scan_p4p_lines(LineSource& lines, SetupRecord& record);

}  // namespace korvaline
