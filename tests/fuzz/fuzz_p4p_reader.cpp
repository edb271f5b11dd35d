// Any bytes as a P4P file: the scan either ends or fails cleanly, and the
// codes stay within what saint accepts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/failure.hpp"
#include "p4p/lattice_codes.hpp"
#include "p4p/p4p_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvaline;
    SetupRecord record;
    LineSource lines =
        LineSource::from_text(std::string(reinterpret_cast<const char*>(data), size));
    try {
        scan_p4p_lines(lines, record);
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
    return 0;
}
