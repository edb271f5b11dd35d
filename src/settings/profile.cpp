#include "settings/profile.hpp"

#include <algorithm>
#include <string_view>

namespace korvaline {

std::string Profile::origin() const {
    return from_set ? "from --set" : "from " + called;
}

std::vector<std::string> Profile::sources() const {
    std::vector<std::string> found;
    for (const Entry& entry : entries) {
        if (!entry.source.empty() &&
            std::find(found.begin(), found.end(), entry.source) == found.end()) {
            found.push_back(entry.source);
        }
    }
    return found;
}

bool Profile::has_lines_for(std::string_view source) const {
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& entry) {
        return !source.empty() && entry.source == source;
    });
}

const Profile::Entry* Profile::entry_for(std::string_view section, std::string_view key,
                                         std::string_view source) const {
    const Entry* found = nullptr;
    for (const Entry& entry : entries) {
        if (entry.section != section || entry.key != key) {
            continue;
        }
        if (!source.empty() && entry.source == source) {
            return &entry;
        }
        if (entry.source.empty()) {
            found = &entry;
        }
    }
    return found;
}

void apply_profile(const Profile& profile, std::string_view source,
                   std::vector<SaintIniLine>& lines) {
    for (SaintIniLine& line : lines) {
        const Profile::Entry* entry = profile.entry_for(line.section, line.key, source);
        if (line.fixed && line.kind == SaintIniLine::Kind::kKey && entry != nullptr) {
            line.value = entry->value;
        }
    }
}

void apply_profiles(const std::vector<Profile>& profiles, std::string_view source,
                    std::vector<SaintIniLine>& lines) {
    for (const Profile& profile : profiles) {
        apply_profile(profile, source, lines);
    }
}

namespace {

const Profile* highest_with(const std::vector<Profile>& profiles,
                            std::optional<Profile::OwnSetting> Profile::*setting) {
    const auto found =
        std::find_if(profiles.rbegin(), profiles.rend(),
                     [&](const Profile& profile) { return (profile.*setting).has_value(); });
    return found == profiles.rend() ? nullptr : &*found;
}

}  // namespace

const Profile* profile_giving_source(const std::vector<Profile>& profiles) {
    return highest_with(profiles, &Profile::source_setting);
}

const Profile* profile_giving_accept(const std::vector<Profile>& profiles) {
    return highest_with(profiles, &Profile::accept_setting);
}

std::vector<std::string> notes_accepted_by(const std::vector<Profile>& profiles) {
    const Profile* giving = profile_giving_accept(profiles);
    return giving != nullptr ? giving->accept_setting->values : std::vector<std::string>{};
}

const Profile* profile_giving(const std::vector<Profile>& profiles, std::string_view section,
                              std::string_view key, std::string_view source) {
    for (auto profile = profiles.rbegin(); profile != profiles.rend(); ++profile) {
        if (profile->entry_for(section, key, source) != nullptr) {
            return &*profile;
        }
    }
    return nullptr;
}

}  // namespace korvaline
