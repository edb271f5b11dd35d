#include "settings/settings_composer.hpp"

#include "core/failure.hpp"
#include "settings/wavelength_check.hpp"

namespace korvaline {

namespace {

// The profile whose [KORVALINE] SOURCE names the target: the highest that
// gives one, where neither --source nor the P4P file names it.
const Profile* profile_naming_source(const SetupRecord& record,
                                     const std::vector<Profile>& profiles,
                                     const std::optional<std::string>& chosen) {
    return chosen || record.source ? nullptr : profile_giving_source(profiles);
}

// The target whose profile lines are used: --source, else the P4P file's,
// else a profile's; empty when none names one.
std::string source_used(const SetupRecord& record, const std::optional<std::string>& chosen,
                        const Profile* naming) {
    if (chosen) {
        return *chosen;
    }
    if (naming != nullptr) {
        return naming->source_setting->values.front();
    }
    return record.source ? record.source->target : "";
}

// " X-RAY SOURCE: CU (from /data/alice/korvaline.ini:2)"
std::string source_named_by(const Profile& naming) {
    return "X-RAY SOURCE: " + naming.source_setting->values.front() + " (from " +
           printable(naming.path) + ":" + std::to_string(naming.source_setting->line) + ")";
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

// "FILE:LINE" of the profile line that gave a value, as standard output
// names the file, or "--set".
std::string profile_line_origin(const Profile& profile, const Profile::Entry& entry) {
    if (profile.from_set) {
        return "--set";
    }
    return printable(profile.path) + ":" + std::to_string(entry.line);
}

// Each line a profile sets says which one and where; a value that a profile
// gives but that is the built-in one still holds its built-in value.
void give_profile_origins(const std::vector<Profile>& profiles, const std::string& source,
                          const std::vector<SaintIniLine>& built_in,
                          std::vector<SaintIniLine>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SaintIniLine& line = lines[i];
        const Profile* giving = line.fixed && line.kind == SaintIniLine::Kind::kKey
                                    ? profile_giving(profiles, line.section, line.key, source)
                                    : nullptr;
        if (giving != nullptr) {
            line.origin =
                profile_line_origin(*giving, *giving->entry_for(line.section, line.key, source));
            line.built_in_value = line.value == built_in[i].value;
        }
    }
}

}  // namespace

ComposedSettings compose_settings(const SetupRecord& record, const std::vector<Profile>& profiles,
                                  const std::optional<std::string>& chosen_source,
                                  const NamesInNotes& names) {
    ComposedSettings composed{saint_ini_lines(record), {}, {}};
    const Profile* naming = profile_naming_source(record, profiles, chosen_source);
    const std::string source = source_used(record, chosen_source, naming);
    const std::vector<SaintIniLine> built_in = composed.lines;
    apply_profiles(profiles, source, composed.lines);
    give_profile_origins(profiles, source, built_in, composed.lines);
    for (const Profile& profile : profiles) {
        composed.profiles_used.push_back(profile_used(profile, source));
    }
    if (naming != nullptr) {
        composed.profiles_used.push_back(source_named_by(*naming));
    }
    if (chosen_source && record.source && record.source->target != *chosen_source) {
        composed.notes.push_back(
            {"source-override", names.p4p + " names the source " + record.source->target + ", " +
                                    record.source->wavelength + " A, but --source gives " +
                                    *chosen_source + "; profile lines are taken for " +
                                    *chosen_source});
    }
    if (!chosen_source && !record.source && naming == nullptr) {
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
