#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/fixed_text.hpp"

namespace korvaline {

// One run of frame files: <project><digit>.001, .002, ...
struct RunEntry {
    FixedText present{20};  // "T" when the run's first frame was found, "F" when not
    FixedText base_name{20};
    std::int32_t frame_count = 0;

    bool is_present() const { return present.equals("T"); }
};

// The X-ray source a P4P file names on its SOURCE line.
struct XraySource {
    std::string target;      // the anode's element in upper case: MO, CU, AG, ...
    std::string wavelength;  // in angstroms, as the file writes it
};

// Where in the P4P file the fields came from, counted from 1; 0 for a line
// the file does not have.
struct P4pLineNumbers {
    std::size_t title = 0;
    std::size_t bravais = 0;
    std::size_t symm = 0;
    std::size_t source = 0;
};

// Everything the program gathers, filled by the phases in this order and
// then only read by the writer of saint.ini. Texts start as all blanks and
// numbers as 0, so a field whose source never turns up is written empty.
struct SetupRecord {
    FixedText project_name{20};
    std::array<RunEntry, 4> runs;
    std::int32_t last_run = 0;
    FixedText p4p_name{20};
    FixedText title{22};
    FixedText system_name{20};
    FixedText centering_field{6};
    FixedText laue_field{7};
    std::int32_t laue_code = 0;
    std::int32_t centering_code = 0;
    // Only where the P4P file names one before its scan ends.
    std::optional<XraySource> source;
    P4pLineNumbers p4p_lines;

    // Runs are numbered 1 to 4, as in the frame file names.
    RunEntry& run(int number) { return runs.at(static_cast<std::size_t>(number - 1)); }
    const RunEntry& run(int number) const { return runs.at(static_cast<std::size_t>(number - 1)); }
};

}  // namespace korvaline
