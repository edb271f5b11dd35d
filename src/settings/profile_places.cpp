#include "settings/profile_places.hpp"

#include <optional>
#include <utility>

#include "console/line_source.hpp"
#include "core/failure.hpp"
#include "files/absolute_path.hpp"
#include "files/input_file.hpp"
#include "files/path_grammar.hpp"
#include "settings/folder_profiles.hpp"
#include "settings/profile_reader.hpp"

namespace korvaline {

namespace {

constexpr const char* kSiteVariable = "KORVALINE_SITE_PROFILE";
constexpr const char* kProfileVariable = "KORVALINE_PROFILE";

// The program's file in a configuration folder; none where there is no folder.
std::string profile_in(const std::string& folder) {
    return folder.empty() ? "" : path_in(path_in(folder, "korvaline"), "profile.ini");
}

// `text` in lines of at most `width` characters where it has blanks to
// break at; a line after the first starts with `indent`.
std::string wrapped(std::string text, std::size_t width, const std::string& indent) {
    std::string lines;
    while (text.size() > width) {
        const std::size_t blank = text.rfind(' ', width);
        if (blank == std::string::npos || blank <= indent.size()) {
            break;
        }
        lines += text.substr(0, blank) + "\n";
        text = indent + text.substr(blank + 1);
    }
    return lines + text + "\n";
}

// `described` says how it was named, for a failure to read it: "profile
// 'lab.ini'"; `called` as failures and notes name it.
Profile read_profile_file(const std::string& path, const std::string& called,
                          const std::string& described) {
    LineSource lines(InputFile::open_regular_file(path, described));
    return parse_profile(lines, path, called);
}

void add_if_found(std::vector<Profile>& profiles, std::optional<Profile> found) {
    if (found) {
        profiles.push_back(std::move(*found));
    }
}

// What the user's own place may do that the site's may not: be closed to the
// user, as it is to a service account that runs with its caller's HOME. As
// git does with its user configuration, that is noted and the site's place
// is looked at next.
enum class Closed { kNoted, kFailure };

// The profile at a default place, if one is there.
std::optional<Profile> read_default_profile(const std::string& path, const std::string& called,
                                            Closed closed, Console& console) {
    if (path.empty()) {
        return std::nullopt;
    }
    std::string refusal;
    std::optional<InputFile> file = InputFile::open_if_present(
        path, "profile " + quoted(called), closed == Closed::kNoted ? &refusal : nullptr);
    if (!refusal.empty()) {
        console.note("profile-unreadable",
                     "cannot read " + called + ": " + refusal + "; going on without it");
    }
    if (!file) {
        return std::nullopt;
    }
    LineSource lines(std::move(*file));
    return parse_profile(lines, path, called);
}

}  // namespace

DefaultProfilePaths default_profile_paths(const EnvironmentLookup& environment) {
    const ConfigurationFolders folders = configuration_folders(environment);
    DefaultProfilePaths paths{profile_in(folders.user), profile_in(folders.system)};
    // As git's GIT_CONFIG_SYSTEM: for an install under another prefix, and
    // for tests that must not see the machine's own.
    if (const std::optional<std::string> site = environment(kSiteVariable)) {
        paths.site = *site;
    }
    return paths;
}

std::string default_profile_places() {
    const ConfigurationFolderNames names = configuration_folder_names();
    std::string user = "  " + profile_in(std::string(names.user));
    if (!names.user_otherwise.empty()) {
        user += " (" + profile_in(std::string(names.user_otherwise)) + " when " +
                std::string(names.user_variable) + " is unset or empty)";
    }
    const std::string site = "  " + variable_in_text(kSiteVariable) + " (" +
                             profile_in(std::string(names.system)) +
                             " when it is unset; none when it is empty)";
    return wrapped(user, 74, "      ") + wrapped(site, 74, "      ");
}

std::vector<Profile> load_profiles(const ProfileChoice& choice, Console& console,
                                   bool names_in_full, const EnvironmentLookup& environment,
                                   const FolderSearch& folders) {
    std::vector<Profile> profiles;
    if (!choice.refused) {
        const DefaultProfilePaths places = default_profile_paths(environment);
        add_if_found(profiles,
                     read_default_profile(places.site, name_in_messages(places.site, names_in_full),
                                          Closed::kFailure, console));
        add_if_found(profiles,
                     read_default_profile(places.user, places.user, Closed::kNoted, console));
        const std::string crystal_folder =
            folders.crystal_folder.empty() ? current_directory() : folders.crystal_folder;
        if (!crystal_folder.empty()) {
            for (Profile& found : load_folder_profiles(crystal_folder, console, folders.top)) {
                profiles.push_back(std::move(found));
            }
        }
        const std::string from_environment = environment(kProfileVariable).value_or("");
        if (!from_environment.empty()) {
            const std::string called = name_in_messages(from_environment, names_in_full);
            profiles.push_back(
                read_profile_file(from_environment, called,
                                  "profile " + quoted(called) + " named by " + kProfileVariable));
        }
    }
    for (const std::string& named : choice.named) {
        const std::string called = name_in_messages(named, names_in_full);
        profiles.push_back(read_profile_file(named, called, "profile " + quoted(called)));
    }
    profiles.insert(profiles.end(), choice.set.begin(), choice.set.end());
    return profiles;
}

}  // namespace korvaline
