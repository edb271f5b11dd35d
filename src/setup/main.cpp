// korvaline: prepares saint.ini for the integration of one crystal's frames.

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "core/failure.hpp"
#include "core/setup_record.hpp"
#include "frames/run_discovery.hpp"
#include "frames/settled_check.hpp"
#include "p4p/lattice_codes.hpp"
#include "p4p/p4p_reader.hpp"
#include "p4p/p4p_selection.hpp"
#include "platform/input_file.hpp"
#include "platform/places.hpp"
#include "platform/standard_streams.hpp"
#include "settings/profile.hpp"
#include "settings/settings_composer.hpp"
#include "settings/settings_destination.hpp"
#include "settings/settings_writer.hpp"
#include "settings/strict_check.hpp"
#include "setup/banner.hpp"
#include "setup/command_line.hpp"
#include "setup/project_dialogue.hpp"
#include "setup/usage_text.hpp"

namespace {

using namespace korvaline;

void settle_project_name(SetupRecord& record, const GivenAnswers& given, Console& console,
                         const ExistenceTest& frame_exists) {
    if (given.find_project) {
        take_project_name(record, find_project_name(frame_exists), console, frame_exists);
    } else if (given.project_name) {
        take_project_name(record, *given.project_name, console, frame_exists);
    } else {
        ask_project_name(record, console, frame_exists);
    }
}

void settle_p4p_file(SetupRecord& record, const GivenAnswers& given, Console& console) {
    if (given.p4p_name || given.accept_offered_p4p) {
        take_p4p_file(record, given, console);
    } else {
        select_p4p_file(record, console);
    }
}

// How notes call the files of this run.
NamesInNotes names_in_notes(const SetupRecord& record, const SettingsDestination& destination,
                            bool in_full) {
    return {destination.name(), name_in_messages(record.p4p_name.trimmed(), in_full)};
}

// saint.ini composed, checked under --strict, and saved: nothing of it is
// on disk until every note has been given.
void set_up_saint_ini(const SetupRecord& record, const std::vector<Profile>& profiles,
                      const CommandLine& command_line, const SettingsDestination& destination,
                      Console& console) {
    const ComposedSettings settings =
        compose_settings(record, profiles, command_line.source,
                         names_in_notes(record, destination, command_line.names_files_in_full()));
    show_composition(settings, console);
    const Strictness strictness{command_line.strict, command_line.accepted_notes};
    const Note old_file_note = note_on_old_file(destination, settings.lines, strictness.strict);
    refuse_if_noted(console, old_file_note, strictness);
    save_settings(settings.lines, destination, command_line.backup, strictness, old_file_note,
                  console);
}

void set_up(const CommandLine& command_line, const SettingsDestination& destination,
            Console& console) {
    // Read and checked before the first question, so that a fault in one
    // costs no typing.
    const std::vector<Profile> profiles =
        load_profiles(command_line.profile, console, command_line.names_files_in_full());
    SetupRecord record;
    // A batch's log names a frame it cannot look at from the root.
    const ExistenceTest frame_exists = frame_file_test(command_line.names_files_in_full());
    show_banner(console);
    settle_project_name(record, command_line.answers, console, frame_exists);
    console.announce("Initializing...");
    discover_runs(record, console, frame_exists);
    settle_p4p_file(record, command_line.answers, console);
    refuse_if_unsettled(record, command_line.settled_minutes, command_line.names_files_in_full());
    read_p4p_file(record, console, command_line.names_files_in_full());
    derive_lattice_codes(record);
    note_unknown_symbols(record, console);
    set_up_saint_ini(record, profiles, command_line, destination, console);
}

void carry_out(const CommandLine& command_line) {
    switch (command_line.task) {
        case CommandLine::Task::kHelp:
            write_standard_output(usage_text());
            return;
        case CommandLine::Task::kVersion:
            write_standard_output(version_text());
            return;
        case CommandLine::Task::kProfileTemplate:
            write_standard_output(profile_template());
            return;
        case CommandLine::Task::kSetUp:
            break;
    }
    // First of all, so that every name the run meets, a profile's included,
    // is taken there.
    for (const std::string& directory : command_line.directories) {
        change_directory(directory);
    }
    const SettingsDestination destination =
        SettingsDestination::chosen(command_line.output, !command_line.directories.empty());
    // Standard output that carries saint.ini carries nothing else.
    const OutputSink program_lines = destination.is_standard_output()
                                         ? OutputSink(write_standard_error_checked)
                                         : OutputSink(write_standard_output);
    LineSource input(InputFile::standard_input("standard input"));
    Console console(input, program_lines, write_standard_error);
    set_up(command_line, destination, console);
}

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char** argv) {
    prepare_standard_streams();
    const CommandLine command_line = read_command_line(argc, argv);
    if (!command_line.usage_error.empty()) {
        write_standard_error("korvaline: " + printable(command_line.usage_error) +
                             "\nTry 'korvaline --help' for more information.\n");
        return kUsageError;
    }
    try {
        carry_out(command_line);
        return 0;
    } catch (const Failure& failure) {
        write_standard_error("korvaline: " + printable(failure.message()) + "\n");
        return kFailed;
    } catch (const std::exception& failure) {
        write_standard_error("korvaline: " + printable(failure.what()) + "\n");
        return kFailed;
    }
}
