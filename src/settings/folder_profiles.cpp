#include "settings/folder_profiles.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "console/line_source.hpp"
#include "core/failure.hpp"
#include "files/input_file.hpp"
#include "files/path_grammar.hpp"
#include "platform/file_ownership.hpp"
#include "platform/name_exists.hpp"
#include "settings/profile_reader.hpp"

namespace korvaline {

namespace {

// Root, the user running the program and the crystal's owner (who put it
// there for a batch that runs as someone else) may own a folder profile.
std::string stranger_owning(const Ownership& file, const Ownership& crystal) {
    if (file.owner == 0 || file.owner == running_user() || file.owner == crystal.owner) {
        return "";
    }
    return "it belongs to user " + std::to_string(file.owner) +
           ", who is neither root, the user running korvaline nor the owner of the crystal's "
           "folder";
}

// Why the profile at `path` in `folder` is not to be trusted; empty where it
// is. A symbolic link there must be a trusted owner's as much as its file.
std::string distrust(const std::string& path, const std::string& folder,
                     const std::optional<Ownership>& crystal) {
    const std::optional<Ownership> file = ownership_of(path);
    if (!file || !crystal) {
        return "";
    }
    for (const Ownership& owned : {*ownership_of(path, true), *file}) {
        if (const std::string stranger = stranger_owning(owned, *crystal); !stranger.empty()) {
            return stranger;
        }
    }
    if (file->others_may_write) {
        return "users other than its owner and group may write it";
    }
    // Where anyone may rename entries, the file can be swapped for another
    // owner's: that holds for the folder of a link's target too.
    const std::string target_folder = folder_holding(path);
    for (const std::string& holder_path : {folder, target_folder}) {
        const std::optional<Ownership> holder =
            holder_path.empty() ? std::nullopt : ownership_of(holder_path);
        if (holder && holder->others_may_write && !holder->sticky) {
            return "users other than its owner and group may write " + holder_path +
                   ", which has no sticky bit";
        }
    }
    return "";
}

// The folder profile in `folder`, where there is one to take.
std::optional<Profile> folder_profile(const std::string& folder,
                                      const std::optional<Ownership>& crystal, Console& console) {
    const std::string path = path_in(folder, kFolderProfileName);
    // A link to nothing is no profile here: a stranger's link must not stop
    // every crystal below it.
    if (!name_exists(path)) {
        return std::nullopt;
    }
    // Judged before it is opened, so that a stranger's FIFO or folder of that
    // name is passed over like a stranger's file.
    const std::string reason = distrust(path, folder, crystal);
    if (!reason.empty()) {
        console.note("untrusted-profile", "passed over the profile " + path + ": " + reason);
        return std::nullopt;
    }
    std::string refusal;
    std::optional<InputFile> file =
        InputFile::open_if_present(path, "profile " + quoted(path), &refusal);
    if (!refusal.empty()) {
        console.note("profile-unreadable",
                     "cannot read " + path + ": " + refusal + "; going on without it");
    }
    if (!file) {
        return std::nullopt;
    }
    LineSource lines(std::move(*file));
    return parse_profile(lines, path);
}

}  // namespace

std::vector<Profile> load_folder_profiles(const std::string& crystal_folder, Console& console,
                                          const std::string& top) {
    const std::optional<Ownership> crystal = ownership_of(crystal_folder);
    std::vector<Profile> profiles;
    for (std::string folder = crystal_folder; !folder.empty() && folder_is_open(folder);
         folder = folder == top ? "" : parent_folder(folder)) {
        if (std::optional<Profile> found = folder_profile(folder, crystal, console)) {
            profiles.push_back(std::move(*found));
        }
    }
    std::reverse(profiles.begin(), profiles.end());
    return profiles;
}

}  // namespace korvaline
