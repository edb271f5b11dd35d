#include "p4p/p4p_reader.hpp"

#include <string>
#include <string_view>

#include "core/failure.hpp"

namespace korvaline {

namespace {

// Nothing past column 33 of a P4P line is ever used.
constexpr std::size_t kColumnsUsed = 33;

enum class LineKind { kTitle, kBravais, kSymm, kSainov, kOther };

// Decided by the first six columns, first match wins.
LineKind kind_of(const FixedText& key) {
    if (key.find("TITLE") > 0) {
        return LineKind::kTitle;
    }
    if (key.find("BRAVAI") > 0) {
        return LineKind::kBravais;
    }
    if (key.find("SYMM") > 0) {
        return LineKind::kSymm;
    }
    if (key.find("SAINOV") > 0) {
        return LineKind::kSainov;
    }
    return LineKind::kOther;
}

// Columns `first` to `last` (from 1) of the line; missing columns are left
// out, and assigning the result to a field fills them with blanks.
std::string_view columns(const std::string& line, std::size_t first, std::size_t last) {
    if (line.size() < first) {
        return {};
    }
    return std::string_view(line).substr(first - 1, last - first + 1);
}

}  // namespace

P4pScanEnd scan_p4p_lines(LineSource& lines, SetupRecord& record) {
    std::string line;
    FixedText key(6);
    while (lines.read_line(kColumnsUsed, line)) {
        key.assign(columns(line, 1, 6));
        switch (kind_of(key)) {
            case LineKind::kTitle:
                record.title.assign(columns(line, 7, 28));
                break;
            case LineKind::kBravais:
                record.system_name.assign(columns(line, 8, 27));
                record.centering_field.assign(columns(line, 28, 33));
                break;
            case LineKind::kSymm:
                record.laue_field.assign(columns(line, 8, 14));
                return P4pScanEnd::kSymm;
            case LineKind::kSainov:
                return P4pScanEnd::kSainov;
            case LineKind::kOther:
                break;
        }
    }
    std::string message = lines.name() + " ends before its SYMM or SAINOV line";
    if (lines.lines_end_in_carriage_returns_only()) {
        message += "; its lines end in carriage returns only";
    }
    throw Failure(message);
}

void read_p4p_file(SetupRecord& record, Console& console) {
    const std::string path = record.p4p_name.trimmed();
    LineSource lines(InputFile::open_regular_file(path, "P4P file " + quoted(path)));
    if (scan_p4p_lines(lines, record) == P4pScanEnd::kSainov) {
        console.note("P4P file " + quoted(path) +
                     " has no SYMM line before its SAINOV line; the Laue symbol is blank");
    }
}

}  // namespace korvaline
