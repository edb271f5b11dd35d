#include "settings/saint_ini_lines.hpp"

#include "settings/saint_ini_rows.hpp"

namespace korvaline {

namespace {

using saint_ini_rows::KeyRow;
using saint_ini_rows::Section;

void add_section(const Section& section, const SetupRecord& record,
                 std::vector<SaintIniLine>& lines) {
    const std::string name(section.name);
    lines.push_back({SaintIniLine::Kind::kSeparator, name, "", "", true});
    lines.push_back({SaintIniLine::Kind::kHeader, name, "", "", true});
    for (const KeyRow& row : section.rows) {
        SaintIniLine line{SaintIniLine::Kind::kKey, name, std::string(row.key),
                          std::string(row.text), true};
        if (row.build != nullptr) {
            line.value = row.build(record, row.text);
            line.fixed = false;
            line.built_in_value = false;
            line.origin = saint_ini_rows::origin_of(row.build, record);
        }
        lines.push_back(std::move(line));
    }
}

}  // namespace

std::string SaintIniLine::text() const {
    switch (kind) {
        case Kind::kSeparator:
            return " ";
        case Kind::kHeader:
            return "[" + section + "]";
        case Kind::kKey:
            break;
    }
    return key + "=" + value;
}

const SaintIniLine* key_line(const std::vector<SaintIniLine>& lines, std::string_view section,
                             std::string_view key) {
    for (const SaintIniLine& line : lines) {
        if (line.kind == SaintIniLine::Kind::kKey && line.section == section && line.key == key) {
            return &line;
        }
    }
    return nullptr;
}

std::vector<SaintIniLine> saint_ini_lines(const SetupRecord& record) {
    std::vector<SaintIniLine> lines;
    for (const auto* sections :
         {&saint_ini_rows::integration_sections(), &saint_ini_rows::later_step_sections()}) {
        for (const Section& section : *sections) {
            add_section(section, record, lines);
        }
    }
    return lines;
}

}  // namespace korvaline
