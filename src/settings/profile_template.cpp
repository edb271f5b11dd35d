#include "settings/profile_template.hpp"

#include "core/setup_record.hpp"
#include "settings/saint_ini_lines.hpp"

namespace korvaline {

std::string profile_template() {
    std::string text =
        "# KORVALINE instrument profile: the lines of saint.ini that are the same\n"
        "# for every crystal, with the values KORVALINE writes without a profile.\n"
        "# Take the ';' away from each line you change; the others keep their\n"
        "# values. Lines built from the project, its runs or its P4P file cannot\n"
        "# be set. Name the file with --profile FILE, or put it where korvaline\n"
        "# looks for one (korvaline --help says where).\n";
    for (const SaintIniLine& line : saint_ini_lines(SetupRecord{})) {
        if (line.kind == SaintIniLine::Kind::kHeader) {
            text += '\n';
            text += line.text();
            text += '\n';
        } else if (line.kind == SaintIniLine::Kind::kKey && line.fixed) {
            text += ';';
            text += line.text();
            text += '\n';
        }
    }
    text +=
        "\n"
        "# Lines for one X-ray source: under a section named with the target of\n"
        "# the source after a colon, they are used only for crystals whose P4P\n"
        "# file names that source on its SOURCE line, in place of the same lines\n"
        "# above. The Cu source of a dual-source instrument, for example:\n"
        ";[SCALE:CU]\n"
        ";SCALE_WAVE=1.54184\n";
    return text;
}

}  // namespace korvaline
