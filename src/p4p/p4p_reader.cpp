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

// Columns are counted as characters, so a tab before or in a field moves
// the field: a line the scan takes is checked up to its last column read.
void note_tab(P4pScan& scan, std::string_view key, const std::string& line, std::size_t last) {
    std::erase(scan.tabbed_keys, key);
    if (columns(line, 1, last).find('\t') != std::string_view::npos) {
        scan.tabbed_keys.emplace_back(key);
    }
}

}  // namespace

P4pScan scan_p4p_lines(LineSource& lines, SetupRecord& record) {
    P4pScan scan;
    std::string line;
    FixedText key(6);
    while (lines.read_line(kColumnsUsed, line)) {
        key.assign(columns(line, 1, 6));
        switch (kind_of(key)) {
            case LineKind::kTitle:
                record.title.assign(columns(line, 7, 28));
                scan.title_cut = holds_text_beyond(line, 28) || lines.last_line_was_cut();
                note_tab(scan, "TITLE", line, 28);
                break;
            case LineKind::kBravais:
                record.system_name.assign(columns(line, 8, 27));
                record.centering_field.assign(columns(line, 28, 33));
                note_tab(scan, "BRAVAIS", line, 33);
                break;
            case LineKind::kSymm:
                record.laue_field.assign(columns(line, 8, 14));
                note_tab(scan, "SYMM", line, 14);
                return scan;
            case LineKind::kSainov:
                scan.end = P4pScanEnd::kSainov;
                return scan;
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
    const P4pScan scan = scan_p4p_lines(lines, record);
    const std::string file = "P4P file " + quoted(path);
    if (scan.end == P4pScanEnd::kSainov) {
        console.note(file + " has no SYMM line before its SAINOV line; the Laue symbol is blank");
    }
    if (scan.title_cut) {
        console.note(file + ": its title is cut at 22 bytes to " + quoted(record.title.trimmed()));
    }
    for (const std::string& key : scan.tabbed_keys) {
        console.note(file + ": its " + key +
                     " line holds a tab among the columns read; a tab counts as one column");
    }
}

}  // namespace korvaline
