#include "setup/project_dialogue.hpp"

#include <cstdint>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "console/cut_name_note.hpp"
#include "core/characters.hpp"
#include "core/failure.hpp"
#include "core/file_names.hpp"
#include "platform/directory_listing.hpp"
#include "platform/name_exists.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// The project's first frame as the file system is asked for it; a cut name
// is noted.
FixedText first_frame(const FixedText& project_name, bool answer_was_cut, Console& console) {
    const std::string wanted = first_frame_name(project_name);
    const FixedText tested = name_as_tested(wanted);
    note_if_cut(tested, wanted, answer_was_cut, console);
    return tested;
}

constexpr std::string_view kFirstFrameEnding = "1.001";
// A longer project would have its frame names cut.
constexpr std::size_t kLongestFoundProject = kNameWidth - kFirstFrameEnding.size();
constexpr std::size_t kMostProjectsNamed = 5;

// The project whose first frame `name` is, where the name has that shape:
// something before "1.001".
std::optional<std::string> project_of(const std::string& name) {
    if (!name.ends_with(kFirstFrameEnding) || name.size() == kFirstFrameEnding.size()) {
        return std::nullopt;
    }
    return name.substr(0, name.size() - kFirstFrameEnding.size());
}

// Whether the project can be taken as it stands: 15 characters at most, no
// blank at its end (an answer loses it).
bool can_be_taken(const std::string& project) {
    return project.size() <= kLongestFoundProject && !project.ends_with(' ');
}

// Whether the listed entry is a frame: a device is none, whatever the
// listing shows (Windows lists COM1.001 where a file of that name is).
bool is_frame(const ListedEntry& entry, const ExistenceTest& exists) {
    if (entry.found_for_certain) {
        return !names_a_device(entry.name);
    }
    FixedText whole(entry.name.size());
    whole.assign(entry.name);
    return exists(whole);
}

// Where the only first frames have too long a name, the name is what is wrong.
[[noreturn]] void fail_on_too_long(const std::string& project) {
    throw Failure("no project here: " + project + " (from " + project +
                  std::string(kFirstFrameEnding) + ") has " + std::to_string(project.size()) +
                  " characters; a project name has at most " +
                  std::to_string(kLongestFoundProject));
}

}  // namespace

std::string find_project_name(const ExistenceTest& exists) {
    std::set<std::string> first_projects;  // by name, the first few
    std::size_t projects = 0;
    std::optional<std::string> first_too_long;  // by name
    const ListingEnd end = list_directory("", "*1.001", SIZE_MAX, [&](const ListedEntry& entry) {
        const std::optional<std::string> project = project_of(entry.name);
        if (!project || !is_frame(entry, exists)) {
            return;
        }
        if (!can_be_taken(*project)) {
            if (project->size() > kLongestFoundProject &&
                (!first_too_long || *project < *first_too_long)) {
                first_too_long = project;
            }
            return;
        }
        ++projects;
        first_projects.insert(*project);
        if (first_projects.size() > kMostProjectsNamed) {
            first_projects.erase(std::prev(first_projects.end()));
        }
    });
    if (!end.whole) {
        fail_with_system_error(
            "cannot list the files of " + this_directory() + " to find the project", end.error);
    }
    if (projects == 0 && first_too_long) {
        fail_on_too_long(*first_too_long);
    }
    if (projects == 0) {
        throw Failure("no project here: no file NAME1.001 in " + this_directory());
    }
    if (projects > 1) {
        throw Failure(std::to_string(projects) + " projects here, give one with --project: " +
                      comma_separated({first_projects.begin(), first_projects.end()}));
    }
    const std::string& project = *first_projects.begin();
    // As a name given to --project, it would break saint.ini's lines.
    if (holds_control_character(project)) {
        throw Failure("the project here, " + quoted(project) + ", holds a control character");
    }
    return project;
}

void ask_project_name(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    console.announce("INPUT THE PROJECT NAME:");
    bool cut = console.read_answer(record.project_name, "the project name");
    FixedText tested = first_frame(record.project_name, cut, console);
    while (!exists(tested)) {
        console.announce("SPECIFIED PROJECT FILE NOT EXISTING, CHOOSE ANOTHER PROJECT:");
        cut = console.read_answer(record.project_name, "the project name", &tested);
        tested = first_frame(record.project_name, cut, console);
    }
    note_cut_names_passed_over(console);
}

void take_project_name(SetupRecord& record, std::string_view given, Console& console,
                       const ExistenceTest& exists) {
    record.project_name.assign(given);
    const bool cut = holds_text_beyond(given, record.project_name.width());
    const FixedText tested = first_frame(record.project_name, cut, console);
    if (!exists(tested)) {
        throw Failure("no project " + quoted(record.project_name.trimmed()) +
                      " here: " + missing_here(tested));
    }
}

}  // namespace korvaline
