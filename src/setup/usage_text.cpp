#include "setup/usage_text.hpp"

#include "core/note_names.hpp"
#include "settings/profile_places.hpp"
#include "setup/version.hpp"

namespace korvaline {

namespace {

// The note names, a few to a line as the help's other lines are filled.
std::string note_names_listed() {
    constexpr std::size_t kWidth = 78;
    std::string listed;
    std::size_t column = kWidth;
    for (const NoteKind& kind : kNoteKinds) {
        if (column + kind.name.size() + 1 > kWidth) {
            listed += "\n ";
            column = 1;
        }
        listed += " ";
        listed += kind.name;
        column += kind.name.size() + 1;
    }
    return listed;
}

}  // namespace

std::string usage_text() {
    return "Usage: korvaline [OPTION]...\n"
           "Write saint.ini for the integration of the frames in the current directory.\n"
           "Without options, the project name and the P4P file are asked for.\n"
           "\n"
           "  -p, --project=NAME      the project: NAME1.001 must exist here\n"
           "      --find-project      the project is the one here: the NAME of the one\n"
           "                          file NAME1.001 (NAME of 1 to 15 characters)\n"
           "      --p4p=FILE          the P4P file to read\n"
           "  -y, --yes               accept the P4P file offered, NAME1.p4p\n"
           "      --profile=FILE      take the instrument's values from FILE, over those\n"
           "                          of the profiles before it (may be repeated)\n"
           "      --no-profile        read no default profile, no folder's korvaline.ini,\n"
           "                          no KORVALINE_PROFILE and no --profile given\n"
           "                          before it\n"
           "      --set=KEY=VALUE     give one line of saint.ini this value, over every\n"
           "                          profile (may be repeated)\n"
           "      --source=TARGET     use the profile lines for TARGET (CU, MO, ...) in\n"
           "                          place of the source the P4P file names (or a\n"
           "                          profile's [KORVALINE] SOURCE)\n"
           "      --strict            write nothing and fail when the run gives a note\n"
           "      --accept=NAME[,NAME...]  let --strict pass the notes so named, shown\n"
           "                          after each note in brackets (may be repeated)\n"
           "      --settled=MINUTES   fail when the P4P file or a run's last frame was\n"
           "                          written less than MINUTES minutes ago\n"
           "      --show-origin       print each line saint.ini would get after where\n"
           "                          it comes from, and write nothing\n"
           "  -b, --backup[=CONTROL]  keep the old file as a backup: CONTROL none, numbered,\n"
           "                          existing or simple (default: $VERSION_CONTROL, else\n"
           "                          existing)\n"
           "  -S, --suffix=SUFFIX     the simple backup's suffix (default: ~, or\n"
           "                          $SIMPLE_BACKUP_SUFFIX)\n"
           "  -C, --directory=DIR     run as if started in DIR\n"
           "  -o, --output=FILE       write the settings to FILE instead of saint.ini;\n"
           "                          - writes them to standard output and the\n"
           "                          program's own lines to standard error\n"
           "      --profile-template  print a profile to start from, and exit\n"
           "  -h, --help              print this help, and exit\n"
           "  -V, --version           print the version, and exit\n"
           "\n"
           "With --project (or --find-project) and --yes or --p4p, nothing is read\n"
           "from standard input.\n"
           "\n"
           "Instrument profiles are applied in layers, each changing only the lines it\n"
           "gives: the site's and then the user's default place, where a file exists,\n"
           "each korvaline.ini from the root down to the crystal's folder, the file\n"
           "KORVALINE_PROFILE names, each --profile, then each --set. The user's and\n"
           "the site's default places:\n" +
           default_profile_places() +
           "\n"
           "\n"
           "Names of notes:" +
           note_names_listed() +
           "\n"
           "Exit status: 0 saint.ini written, 1 failure, 2 wrong options.\n";
}

std::string version_text() {
    return "korvaline " + std::string(kVersion) +
           "\n"
           "Copyright (c) 2026 The KORVALINE developers; MIT licence.\n";
}

}  // namespace korvaline
