#include "settings/folder_profiles.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "console/line_source.hpp"
#include "core/failure.hpp"
#include "platform/file_ownership.hpp"
#include "platform/input_file.hpp"
#include "platform/places.hpp"
#include "settings/profile_reader.hpp"

namespace korvaline {

namespace {

// Why the profile at `path` in `folder` is not to be trusted; empty where it
// is. Its owner may be root, the user running the program or the crystal's
// owner (who put it there for the batch that runs as someone else).
std::string distrust(const std::string& path, const std::string& folder,
                     const std::optional<Ownership>& crystal) {
    const std::optional<Ownership> file = ownership_of(path);
    if (!file || !crystal) {
        return "";
    }
    if (file->owner != 0 && file->owner != running_user() && file->owner != crystal->owner) {
        return "it belongs to user " + std::to_string(file->owner) +
               ", who is neither root, the user running korvaline nor the owner of the "
               "crystal's folder";
    }
    if (file->others_may_write) {
        return "users other than its owner and group may write it";
    }
    const std::optional<Ownership> holder = ownership_of(folder);
    if (holder && holder->others_may_write && !holder->sticky) {
        return "users other than its owner and group may write " + folder +
               ", which has no sticky bit";
    }
    return "";
}

// The folder profile in `folder`, where there is one to take.
std::optional<Profile> folder_profile(const std::string& folder,
                                      const std::optional<Ownership>& crystal, Console& console) {
    const std::string path = path_in(folder, kFolderProfileName);
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
    const std::string reason = distrust(path, folder, crystal);
    if (!reason.empty()) {
        console.note("untrusted-profile", "passed over the profile " + path + ": " + reason);
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
