#pragma once

#include <string>

#include "core/given_answers.hpp"
#include "settings/profile.hpp"

namespace korvaline {

// What the command line asks for.
struct CommandLine {
    // In order of precedence: --help wins over --version, and both over
    // --profile-template.
    enum class Task { kSetUp, kProfileTemplate, kVersion, kHelp };

    Task task = Task::kSetUp;
    GivenAnswers answers;
    ProfileChoice profile;
    // Not empty when the words cannot be used: what is wrong with them.
    std::string usage_error;
};

// Reads the words the program was started with, by GNU conventions (long
// and short options, --name=value or --name value, -- ends the options).
CommandLine read_command_line(int argc, char** argv);

// What --help prints.
std::string usage_text();

// What --version prints.
std::string version_text();

}  // namespace korvaline
