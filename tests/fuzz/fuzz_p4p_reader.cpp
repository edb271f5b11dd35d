// Any bytes as a P4P file: the scan either ends or fails cleanly, the codes
// stay within what saint accepts, what the scan keeps stays bounded, and no
// accepted file gives saint.ini a control character (a carriage return, which
// the writer refuses with every line ending, aside).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "p4p/lattice_codes.hpp"
#include "p4p/p4p_reader.hpp"
#include "settings/saint_ini_lines.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvaline;
    SetupRecord record;
    LineSource lines =
        LineSource::from_text(std::string(reinterpret_cast<const char*>(data), size));
    P4pScan scan;
    try {
        scan = scan_p4p_lines(lines, record);
    } catch (const Failure&) {
        return 0;
    }
    derive_lattice_codes(record);
    if (record.title.width() != 22 || record.system_name.width() != 20 ||
        record.centering_field.width() != 6 || record.laue_field.width() != 7 ||
        record.laue_code < 0 || record.laue_code > 9 || record.centering_code < 0 ||
        record.centering_code > 8) {
        std::abort();
    }
    for (const SaintIniLine& line : saint_ini_lines(record)) {
        for (const char c : line.text()) {
            if ((c != '\t' && c != '\r' && is_control_character(c)) ||
                scan.passed_over_sources.size() > kSourceLinesNoted) {
                std::abort();
            }
        }
    }
    return 0;
}
