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
// a file that cannot be opened, is not a regular file, or ends before either, is a Failure, and so
// is a control character in a field that saint.ini gets. A scan ended by SAINOV, which leaves the
// Laue symbol blank, a cut title, a tab among the columns read and SOURCE lines that cannot be used
// are told in notes. Failures and notes name the file as given, or `in_full` from the root.
void read_p4p_file(SetupRecord& record, Console& console, bool in_full = false);

enum class P4pScanEnd { kSymm, kSainov };

// How many SOURCE lines that name no source are noted one by one; the rest
// are counted, so that no P4P file can make the notes, or what the scan keeps,
// grow without bound.
constexpr std::size_t kSourceLinesNoted = 1;

// What the scan found besides the fields: which line ended it, and what the
// user may not expect of the lines it took the fields from.
struct P4pScan {
    P4pScanEnd end = P4pScanEnd::kSymm;
    bool title_cut = false;                // text stood beyond the title's columns
    std::vector<std::string> tabbed_keys;  // TITLE, BRAVAIS, SYMM: a tab among the columns read
    // SOURCE lines that name no source: the numbers of the first few, and how many in all.
    std::vector<std::size_t> passed_over_sources;
    std::size_t sources_passed_over = 0;
};

// The scan itself, on lines from any source. A control character that
// saint.ini would get from the title or the Laue symbol is a Failure naming
// lines.name(), the line and the field; a carriage return is left to the
// writer of saint.ini, which refuses every line ending.
P4pScan scan_p4p_lines(LineSource& lines, SetupRecord& record);

}  // namespace korvaline
