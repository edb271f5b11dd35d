#pragma once

#include "setup/line_source.hpp"
#include "setup/setup_record.hpp"

namespace korvaline {

// Reads the P4P file named by `p4p_name` and takes the title (TITLE line),
// the crystal system and centering field (BRAVAIS line) and the Laue symbol
// (SYMM line). The scan stops at the first SYMM or SAINOV line; a file that
// cannot be opened, or that ends before either, is a Failure.
void read_p4p_file(SetupRecord& record);

// The scan itself, on lines from any source.
void scan_p4p_lines(LineSource& lines, SetupRecord& record);

}  // namespace korvaline
