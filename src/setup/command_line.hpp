#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/backup_names.hpp"
#include "core/given_answers.hpp"
#include "platform/places.hpp"
#include "settings/profile_places.hpp"

namespace korvaline {

// What the command line asks for.
struct CommandLine {
    // In order of precedence: --help wins over --version, and both over
    // --profile-template.
    enum class Task { kSetUp, kProfileTemplate, kVersion, kHelp };

    Task task = Task::kSetUp;
    GivenAnswers answers;
    ProfileChoice profile;
    // -C: entered in turn, a relative one from the one before, as git does.
    std::vector<std::string> directories;
    // -o: where saint.ini's lines go instead, "-" for standard output.
    std::optional<std::string> output;
    // --source: the target whose profile lines are used, in upper case.
    std::optional<std::string> source;
    // --strict: a run that gives a note writes nothing and fails.
    bool strict = false;
    // --accept: the names of notes that --strict lets pass, in order given.
    std::vector<std::string> accepted_notes;
    // --settled: how many minutes the newest frames and the P4P file must be
    // old; 0, no check.
    int settled_minutes = 0;
    // --show-origin: print each line that would be written after its origin,
    // and write nothing.
    bool show_origin = false;
    // --backup, -b, --suffix: how an old saint.ini is kept.
    BackupChoice backup;
    // Not empty when the words cannot be used: what is wrong with them.
    std::string usage_error;

    // Whether failures and notes name files from the root, as with -C or -o.
    bool names_files_in_full() const { return !directories.empty() || output.has_value(); }
};

// Reads the words the program was started with, by GNU conventions (long
// and short options, --name=value or --name value, -- ends the options).
// The backup's control and suffix come from VERSION_CONTROL and
// SIMPLE_BACKUP_SUFFIX where the options leave them open, as for GNU cp.
CommandLine read_command_line(int argc, char** argv,
                              const EnvironmentLookup& environment = environment_value);

}  // namespace korvaline
