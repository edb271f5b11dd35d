// korvaline: prepares saint.ini for the integration of one crystal's frames.

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "console/console.hpp"
#include "console/line_source.hpp"
#include "core/failure.hpp"
#include "core/setup_record.hpp"
#include "core/utc_time.hpp"
#include "files/absolute_path.hpp"
#include "files/input_file.hpp"
#include "frames/run_discovery.hpp"
#include "frames/settled_check.hpp"
#include "p4p/lattice_codes.hpp"
#include "p4p/p4p_reader.hpp"
#include "p4p/p4p_selection.hpp"
#include "platform/file_facts.hpp"
#include "platform/host_name.hpp"
#include "platform/identity.hpp"
#include "platform/places.hpp"
#include "platform/standard_streams.hpp"
#include "settings/profile_places.hpp"
#include "settings/profile_template.hpp"
#include "settings/settings_composer.hpp"
#include "settings/settings_destination.hpp"
#include "settings/settings_writer.hpp"
#include "settings/strict_check.hpp"
#include "setup/banner.hpp"
#include "setup/command_line.hpp"
#include "setup/project_dialogue.hpp"
#include "setup/usage_text.hpp"
#include "setup/version.hpp"

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

// What the log's block says of this run.
RunFacts run_facts(const std::vector<std::string>& arguments) {
    return {iso_utc_time(current_time()), std::string(kVersion),
            running_user_name(),          host_name(),
            current_directory(),          arguments};
}

// saint.ini composed, checked under --strict, and saved: nothing of it is
// on disk until every note has been given. With --show-origin, each line is
// shown after its origin instead, and nothing is saved.
void set_up_saint_ini(const SetupRecord& record, const std::vector<Profile>& profiles,
                      const CommandLine& command_line, const SettingsDestination& destination,
                      const std::vector<std::string>& arguments, Console& console) {
    const bool in_full = command_line.names_files_in_full();
    const ComposedSettings settings = compose_settings(
        record, profiles, command_line.source, names_in_notes(record, destination, in_full));
    show_composition(settings, console);
    if (command_line.show_origin) {
        console.flush();
        write_standard_output(origins_text(settings.lines));
        return;
    }
    Strictness strictness{command_line.strict, command_line.accepted_notes};
    for (const std::string& accepted : notes_accepted_by(profiles)) {
        strictness.accepted.push_back(accepted);
    }
    const StopsTheSave stops = [&](std::string_view name) {
        return note_stops_the_save(console, name, strictness);
    };
    SavePlan plan = plan_save(destination, settings.lines, stops, in_full);
    // A note on the old file that keeps it is told now; one accepted is told
    // once the new file is in place, as without --strict.
    const Note& on_old_file = plan.review.note;
    const bool keeps_old_file = !on_old_file.text.empty() && stops(on_old_file.name);
    refuse_if_noted(console, keeps_old_file ? on_old_file : Note{}, strictness);
    save_settings(settings, record, {destination, command_line.backup, strictness, plan},
                  run_facts(arguments), console);
}

void set_up(const CommandLine& command_line, const SettingsDestination& destination,
            const std::vector<std::string>& arguments, Console& console) {
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
    set_up_saint_ini(record, profiles, command_line, destination, arguments, console);
}

void carry_out(const CommandLine& command_line, const std::vector<std::string>& arguments) {
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
    // Standard output that carries saint.ini, or its lines' origins, carries
    // nothing else.
    const OutputSink program_lines = destination.is_standard_output() || command_line.show_origin
                                         ? OutputSink(write_standard_error_checked)
                                         : OutputSink(write_standard_output);
    LineSource input(InputFile::standard_input("standard input"));
    Console console(input, program_lines, write_standard_error);
    set_up(command_line, destination, arguments, console);
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
        carry_out(command_line, std::vector<std::string>(argv, argv + argc));
        return 0;
    } catch (const Failure& failure) {
        write_standard_error("korvaline: " + printable(failure.message()) + "\n");
        return kFailed;
    } catch (const std::exception& failure) {
        write_standard_error("korvaline: " + printable(failure.what()) + "\n");
        return kFailed;
    }
}
