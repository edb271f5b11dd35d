#include "settings/settings_composer.hpp"

#include "core/failure.hpp"
#include "settings/wavelength_check.hpp"

namespace korvaline {

namespace {

// The target whose profile lines are used: --source, else the P4P file's;
// empty when neither names one.
std::string source_used(const SetupRecord& record, const std::optional<std::string>& chosen) {
    if (chosen) {
        return *chosen;
    }
    return record.source ? record.source->target : "";
}

std::string profile_used(const Profile& profile, const std::string& source) {
    std::string used = "INSTRUMENT PROFILE: " + printable(profile.path);
    if (profile.has_lines_for(source)) {
        used += ", lines for " + source;
    }
    return used;
}

// A crystal whose P4P file names no source gets each profile's common lines
// only: where a profile has lines for some source, the crystal may well be
// from it.
void note_lines_for_no_source(const std::vector<Profile>& profiles, const NamesInNotes& names,
                              std::vector<Note>& notes) {
    for (const Profile& profile : profiles) {
        const std::vector<std::string> sources = profile.sources();
        if (!sources.empty()) {
            notes.push_back({"no-source", names.p4p +
                                              " names no X-ray source; only the common lines of " +
                                              profile.called + " were used, not its lines for " +
                                              comma_separated(sources)});
        }
    }
}

// Where SCALE_WAVE comes from.
std::string scale_wave_origin(const std::vector<Profile>& profiles, const std::string& source) {
    const Profile* giving = profile_giving(profiles, "SCALE", "SCALE_WAVE", source);
    return giving != nullptr ? giving->origin() : "built in";
}

}  // namespace

ComposedSettings compose_settings(const SetupRecord& record, const std::vector<Profile>& profiles,
                                  const std::optional<std::string>& chosen_source,
                                  const NamesInNotes& names) {
    ComposedSettings composed{saint_ini_lines(record), {}, {}};
    const std::string source = source_used(record, chosen_source);
    apply_profiles(profiles, source, composed.lines);
    for (const Profile& profile : profiles) {
        composed.profiles_used.push_back(profile_used(profile, source));
    }
    if (chosen_source && record.source && record.source->target != *chosen_source) {
        composed.notes.push_back(
            {"source-override", names.p4p + " names the source " + record.source->target + ", " +
                                    record.source->wavelength + " A, but --source gives " +
                                    *chosen_source + "; profile lines are taken for " +
                                    *chosen_source});
    }
    if (!chosen_source && !record.source) {
        note_lines_for_no_source(profiles, names, composed.notes);
    }
    const std::string wavelength = wavelength_note(
        record, composed.lines, scale_wave_origin(profiles, source), names.settings, names.p4p);
    if (!wavelength.empty()) {
        composed.notes.push_back({"wavelength", wavelength});
    }
    return composed;
}

}  // namespace korvaline
