#include "p4p/p4p_reader.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "core/numbers.hpp"
#include "files/absolute_path.hpp"

namespace korvaline {

namespace {

// Nothing past column 33 of a P4P line is ever used, but for the SOURCE
// line, whose fields are separated by blanks wherever they stand within
// this many columns. One more is read, which tells whether a field that
// reaches the last of them ends there.
constexpr std::size_t kColumnsKept = 4096;
constexpr std::size_t kColumnsRead = kColumnsKept + 1;

enum class LineKind { kTitle, kBravais, kSymm, kSainov, kSource, kOther };

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
    if (key.find("SOURCE") > 0) {
        return LineKind::kSource;
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

// The next field of `text`, which loses it and the blanks before it.
std::string_view next_field(std::string_view& text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    std::size_t length = 0;
    while (length < text.size() && !is_blank(text[length])) {
        ++length;
    }
    const std::string_view field = text.substr(0, length);
    text.remove_prefix(length);
    return field;
}

bool is_wavelength(std::string_view field) {
    return is_number(field) && number_value(field) > 0 && std::isfinite(number_value(field));
}

// The source a SOURCE line names: its target and its wavelength, the first
// two fields after the key; none when they are not letters and a number
// above 0, or when the wavelength runs on past the columns kept.
std::optional<XraySource> source_named_by(const std::string& line) {
    std::string_view rest = std::string_view(line).substr(std::min<std::size_t>(line.size(), 6));
    const std::string_view target = next_field(rest);
    const std::string_view wavelength = next_field(rest);
    std::optional<std::string> name = target_name(target);
    const std::size_t wavelength_end = line.size() - rest.size();
    if (!name || !is_wavelength(wavelength) || wavelength_end > kColumnsKept) {
        return std::nullopt;
    }
    return XraySource{std::move(*name), std::string(wavelength)};
}

void pass_over_source(P4pScan& scan, std::size_t number) {
    if (scan.passed_over_sources.size() < kSourceLinesNoted) {
        scan.passed_over_sources.push_back(number);
    }
    ++scan.sources_passed_over;
}

// saint.ini gets the field; a control character there would cut it short
// or move what follows. A carriage return is the writer's to refuse, with
// every other line ending.
void refuse_control_character(const FixedText& field, std::string_view what,
                              std::size_t line_number, const LineSource& lines) {
    for (const char c : field.text()) {
        if (c != '\t' && c != '\r' && is_control_character(c)) {
            throw Failure(lines.name() + " line " + std::to_string(line_number) + ": " +
                          std::string(what) + " holds the control character " + byte_in_hex(c));
        }
    }
}

}  // namespace

P4pScan scan_p4p_lines(LineSource& lines, SetupRecord& record) {
    P4pScan scan;
    std::string line;
    FixedText key(6);
    for (std::size_t number = 1; lines.read_line(kColumnsRead, line); ++number) {
        key.assign(columns(line, 1, 6));
        switch (kind_of(key)) {
            case LineKind::kTitle:
                record.p4p_lines.title = number;
                record.title.assign(columns(line, 7, 28));
                scan.title_cut = holds_text_beyond(line, 28) || lines.last_line_was_cut();
                note_tab(scan, "TITLE", line, 28);
                break;
            case LineKind::kBravais:
                record.p4p_lines.bravais = number;
                record.system_name.assign(columns(line, 8, 27));
                record.centering_field.assign(columns(line, 28, 33));
                note_tab(scan, "BRAVAIS", line, 33);
                break;
            case LineKind::kSymm:
                record.p4p_lines.symm = number;
                record.laue_field.assign(columns(line, 8, 14));
                note_tab(scan, "SYMM", line, 14);
                refuse_control_character(record.title, "the title", record.p4p_lines.title, lines);
                refuse_control_character(record.laue_field, "the Laue symbol", number, lines);
                return scan;
            case LineKind::kSainov:
                scan.end = P4pScanEnd::kSainov;
                refuse_control_character(record.title, "the title", record.p4p_lines.title, lines);
                return scan;
            case LineKind::kSource:
                if (std::optional<XraySource> source = source_named_by(line)) {
                    record.source = std::move(source);
                    record.p4p_lines.source = number;
                } else {
                    pass_over_source(scan, number);
                }
                break;
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

void read_p4p_file(SetupRecord& record, Console& console, bool in_full) {
    const std::string path = record.p4p_name.trimmed();
    const std::string named = name_in_messages(path, in_full);
    const std::string file = "P4P file " + quoted(named);
    LineSource lines(InputFile::open_regular_file(path, file));
    const P4pScan scan = scan_p4p_lines(lines, record);
    if (scan.end == P4pScanEnd::kSainov) {
        console.note("no-symm",
                     file + " has no SYMM line before its SAINOV line; the Laue symbol is blank");
    }
    if (scan.title_cut) {
        console.note("title-cut",
                     file + ": its title is cut at 22 bytes to " + quoted(record.title.trimmed()));
    }
    for (const std::string& key : scan.tabbed_keys) {
        console.note("p4p-tab",
                     file + ": its " + key +
                         " line holds a tab among the columns read; a tab counts as one column");
    }
    for (const std::size_t number : scan.passed_over_sources) {
        console.note("source-passed-over",
                     named + ":" + std::to_string(number) +
                         ": the SOURCE line does not name a target such as CU and a wavelength "
                         "above 0; it is passed over");
    }
    if (const std::size_t rest = scan.sources_passed_over - scan.passed_over_sources.size()) {
        console.note("source-passed-over",
                     named + ": " + std::to_string(rest) +
                         (rest == 1 ? " more SOURCE line is" : " more SOURCE lines are") +
                         " passed over");
    }
}

}  // namespace korvaline
