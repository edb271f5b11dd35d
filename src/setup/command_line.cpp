#include "setup/command_line.hpp"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "core/note_names.hpp"
#include "platform/name_exists.hpp"
#include "platform/places.hpp"
#include "settings/profile_reader.hpp"

namespace korvaline {

namespace {

// Long options without a short form are numbered past the characters.
enum LongOnly : int {
    kP4p = 256,
    kProfile,
    kNoProfile,
    kProfileTemplate,
    kSet,
    kSource,
    kStrict,
    kFindProject,
    kAccept,
    kSettled,
    kShowOrigin
};

constexpr std::array<option, 21> kOptions = {{
    {"project", required_argument, nullptr, 'p'},
    {"find-project", no_argument, nullptr, kFindProject},
    {"p4p", required_argument, nullptr, kP4p},
    {"yes", no_argument, nullptr, 'y'},
    {"profile", required_argument, nullptr, kProfile},
    {"no-profile", no_argument, nullptr, kNoProfile},
    {"profile-template", no_argument, nullptr, kProfileTemplate},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"directory", required_argument, nullptr, 'C'},
    {"output", required_argument, nullptr, 'o'},
    {"set", required_argument, nullptr, kSet},
    {"source", required_argument, nullptr, kSource},
    {"strict", no_argument, nullptr, kStrict},
    {"accept", required_argument, nullptr, kAccept},
    {"settled", required_argument, nullptr, kSettled},
    {"show-origin", no_argument, nullptr, kShowOrigin},
    {"backup", optional_argument, nullptr, 'b'},
    {"suffix", required_argument, nullptr, 'S'},
    {nullptr, 0, nullptr, 0},
}};

// The leading colon: a missing argument is told apart from an unknown option.
constexpr const char* kShortOptions = ":p:yhVC:o:bS:";

// The backup options as given, settled once all are read.
struct BackupOptions {
    bool wanted = false;  // --backup, -b or --suffix
    // --backup=CONTROL, the last one given; empty, as with cp, leaves it to
    // VERSION_CONTROL.
    std::optional<std::string> control;
    std::optional<std::string> suffix;  // --suffix
};

// The word that getopt_long has just refused.
std::string refused_word(int argc, char** argv) {
    return optind > 0 && optind <= argc ? std::string(argv[optind - 1]) : std::string();
}

// The short option that getopt_long has just refused, as the user typed it:
// a byte that starts a character of several bytes (UTF-8) comes with the
// bytes that continue it, which follow it in the word still being read.
std::string typed_short_option(int argc, char** argv) {
    const auto byte = static_cast<char>(optopt);
    std::string option = {'-', byte};
    const std::string_view word = optind < argc ? argv[optind] : "";
    const std::size_t at = word.find(byte);
    if (static_cast<unsigned char>(byte) >= 0xC0 && word.starts_with('-') &&
        at != std::string_view::npos) {
        for (std::size_t next = at + 1; next < word.size() && (word[next] & 0xC0) == 0x80; ++next) {
            option += word[next];
        }
    }
    return option;
}

// Whether the long option the user wrote, shortened, fits several options.
bool is_ambiguous(std::string_view written) {
    written.remove_prefix(2);
    std::size_t fitting = 0;
    for (const option& known : kOptions) {
        fitting += known.name != nullptr && std::string_view(known.name).starts_with(written);
    }
    return fitting > 1;
}

// What is wrong with an option that getopt_long refused with `code`.
std::string usage_error(int argc, char** argv, int code) {
    const std::string word = refused_word(argc, argv);
    const bool long_form = word.starts_with("--");
    std::string option = word.substr(0, word.find('='));
    if (!long_form) {
        option = typed_short_option(argc, argv);
    }
    // A value given to an option that takes none: glibc reports it as an
    // unknown option, MinGW-w64 as a missing argument.
    if (long_form && optopt != 0 && word.find('=') != std::string::npos) {
        return "option '" + option + "' takes no argument";
    }
    if (code == ':') {
        return "option '" + option + "' needs an argument";
    }
    if (long_form && is_ambiguous(option)) {
        return "option '" + option + "' is ambiguous";
    }
    return "unknown option '" + option + "'";
}

void raise_task(CommandLine& line, CommandLine::Task task) {
    line.task = std::max(line.task, task);
}

// The source --source names, or what is wrong with it.
void take_source(CommandLine& line, std::string_view given) {
    line.source = element_symbol(given);
    if (given.empty()) {
        line.usage_error = "--source needs a target such as CU";
    } else if (!line.source) {
        line.usage_error = "--source " + std::string(given) + ": " + std::string(given) +
                           " is not a chemical element's symbol such as CU";
    }
}

// The line --set gives, checked as a profile's line is, or what is wrong with it.
void take_setting(CommandLine& line, std::string_view given) {
    try {
        line.profile.set.push_back(profile_from_setting(given));
    } catch (const Failure& refused) {
        line.usage_error = refused.what();
    }
}

// The notes --accept names, or what is wrong with them.
void take_accepted(CommandLine& line, std::string_view given) {
    std::string unknown;
    const std::vector<std::string> names = note_names_in(given, unknown);
    if (names.empty()) {
        line.usage_error = "--accept " + std::string(given) + ": " + quoted(unknown) +
                           " is not the name of a note such as frame-gap";
        return;
    }
    line.accepted_notes.insert(line.accepted_notes.end(), names.begin(), names.end());
}

// The minutes --settled gives, or what is wrong with them: digits alone, up
// to a year's worth.
void take_settled(CommandLine& line, std::string_view given) {
    constexpr int kMostMinutes = 366 * 24 * 60;
    const char* const end = given.data() + given.size();
    const auto [stop, error] = std::from_chars(given.data(), end, line.settled_minutes);
    if (given.empty() || given.front() < '0' || given.front() > '9' || stop != end ||
        error != std::errc() || line.settled_minutes > kMostMinutes) {
        line.usage_error = "--settled " + std::string(given) +
                           ": takes a whole number of minutes such as 10, 0 for no check";
    }
}

void take(CommandLine& line, BackupOptions& backup, int code) {
    switch (code) {
        case 'p':
            line.answers.project_name = optarg;
            break;
        case kFindProject:
            line.answers.find_project = true;
            break;
        case kP4p:
            line.answers.p4p_name = optarg;
            break;
        case 'y':
            line.answers.accept_offered_p4p = true;
            break;
        case kProfile:
            line.profile.named.emplace_back(optarg);
            break;
        case kNoProfile:
            // As the profiles before it on the line had never been named.
            line.profile.named.clear();
            line.profile.refused = true;
            break;
        case kSet:
            take_setting(line, optarg);
            break;
        case kSource:
            take_source(line, optarg);
            break;
        case kStrict:
            line.strict = true;
            break;
        case kAccept:
            take_accepted(line, optarg);
            break;
        case kSettled:
            take_settled(line, optarg);
            break;
        case kShowOrigin:
            line.show_origin = true;
            break;
        case 'b':
            backup.wanted = true;
            if (optarg != nullptr) {
                backup.control = optarg;
            }
            break;
        case 'S':
            backup.wanted = true;
            backup.suffix = optarg;
            break;
        case kProfileTemplate:
            raise_task(line, CommandLine::Task::kProfileTemplate);
            break;
        case 'h':
            raise_task(line, CommandLine::Task::kHelp);
            break;
        case 'V':
            raise_task(line, CommandLine::Task::kVersion);
            break;
        case 'C':
            line.directories.emplace_back(optarg);
            break;
        case 'o':
            line.output = optarg;
            break;
        default:
            break;
    }
}

// A name given by an option that holds a control character: typed, a name
// cannot hold a line feed, but given, it would break saint.ini's lines.
std::string control_character_in(const CommandLine& line) {
    const std::pair<const char*, const std::optional<std::string>&> names[] = {
        {"--project", line.answers.project_name}, {"--p4p", line.answers.p4p_name}};
    for (const auto& [option, name] : names) {
        if (name && holds_control_character(*name)) {
            return "the name given to " + std::string(option) + " holds a control character";
        }
    }
    return "";
}

// Options that contradict each other, or an empty name.
std::string conflict_in(const CommandLine& line) {
    if (line.answers.find_project && line.answers.project_name) {
        return "--find-project and --project cannot be used together";
    }
    if (line.answers.accept_offered_p4p && line.answers.p4p_name) {
        return "--yes and --p4p cannot be used together";
    }
    if (line.output && line.output->empty()) {
        return "--output needs a file name, or - for standard output";
    }
    return "";
}

// The backup the options ask for, as GNU cp settles it; what is wrong with
// them in `error`.
BackupChoice settled_backup(const BackupOptions& given, const EnvironmentLookup& environment,
                            std::string& error) {
    BackupChoice backup;
    if (!given.wanted) {
        return backup;
    }
    const bool by_option = given.control && !given.control->empty();
    const std::string word =
        by_option ? *given.control : environment("VERSION_CONTROL").value_or("");
    const std::optional<BackupControl> control =
        word.empty() ? BackupControl::kExisting : backup_control_named(word);
    if (!control) {
        error = (by_option ? "--backup=" : "VERSION_CONTROL=") + word +
                ": not a backup control (none, off, numbered, t, existing, nil, simple, never)";
        return backup;
    }
    backup.control = *control;
    if (given.suffix) {
        if (!is_backup_suffix(*given.suffix)) {
            error =
                "--suffix " + *given.suffix + ": a backup suffix is not empty and holds no / or \\";
        } else if (suffix_is_dropped(*given.suffix)) {
            error = "--suffix " + *given.suffix +
                    ": the system drops a suffix of only full stops and blanks, so that the "
                    "backup would be the file itself";
        }
        backup.suffix = *given.suffix;
    } else if (const std::optional<std::string> simple = environment("SIMPLE_BACKUP_SUFFIX");
               simple && is_backup_suffix(*simple) && !suffix_is_dropped(*simple)) {
        backup.suffix = *simple;
    }
    return backup;
}

}  // namespace

CommandLine read_command_line(int argc, char** argv, const EnvironmentLookup& environment) {
    CommandLine line;
    BackupOptions backup;
    opterr = 0;  // the messages are the program's own
    optind = 0;  // starts afresh, also after an earlier reading
    for (;;) {
        const int code = ::getopt_long(argc, argv, kShortOptions, kOptions.data(), nullptr);
        if (code == -1) {
            break;
        }
        if (code == '?' || code == ':') {
            line.usage_error = usage_error(argc, argv, code);
            return line;
        }
        take(line, backup, code);
        if (!line.usage_error.empty()) {
            return line;
        }
    }
    if (optind < argc) {
        line.usage_error = "unexpected argument '" + std::string(argv[optind]) + "'";
        return line;
    }
    line.backup = settled_backup(backup, environment, line.usage_error);
    if (!line.usage_error.empty()) {
        return line;
    }
    line.usage_error = conflict_in(line);
    if (line.usage_error.empty()) {
        line.usage_error = control_character_in(line);
    }
    return line;
}

}  // namespace korvaline
