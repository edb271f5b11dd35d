#include "settings/profile.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>
#include <utility>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "core/numbers.hpp"
#include "platform/input_file.hpp"

namespace korvaline {

namespace {

// Longer lines are no profile's: they are refused, not cut.
constexpr std::size_t kLongestLine = 4096;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Keys of saint.ini are upper-case words with digits and underscores; a
// key of anything else is a line of no known form.
bool is_key_name(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

std::string bracketed(std::string_view section) {
    std::string text(1, '[');
    text += section;
    text += ']';
    return text;
}

// The lines of saint.ini a profile is checked against, and what it has set
// so far, with the line that set it.
class ProfileReader {
  public:
    ProfileReader(std::string path, std::string called)
        : known_(saint_ini_lines(SetupRecord{})),
          profile_{std::move(path), {}, std::move(called), false} {
        if (profile_.called.empty()) {
            profile_.called = profile_.path;
        }
    }

    // The reader of one --set: its faults are named by the option.
    static ProfileReader for_setting(std::string_view setting) {
        ProfileReader reader("--set " + std::string(setting), "");
        reader.profile_.from_set = true;
        return reader;
    }

    void take(std::string_view line, std::size_t number) {
        number_ = number;
        line = without_blanks_around(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            return;
        }
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            take_section(line.substr(1, line.size() - 2));
            return;
        }
        const std::size_t equals = line.find('=');
        const std::string_view key =
            without_blanks_around(line.substr(0, std::min(equals, line.size())));
        if (equals == std::string_view::npos || !is_key_name(key)) {
            fail("not a [SECTION], KEY=VALUE or comment line");
        }
        take_key(std::string(key), without_blanks_around(line.substr(equals + 1)));
    }

    Profile finish() { return std::move(profile_); }

    // The section that holds `key`, for a --set; a Failure where no section does.
    std::string section_holding(const std::string& key) const {
        for (const SaintIniLine& line : known_) {
            if (line.kind == SaintIniLine::Kind::kKey && line.key == key) {
                return line.section;
            }
        }
        fail(key + " is not a key of saint.ini");
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        if (profile_.from_set) {
            throw Failure(profile_.path + ": " + what);
        }
        throw Failure(profile_.called + ":" + std::to_string(number_) + ": " + what);
    }

    // [SECTION], or [SECTION:TARGET] for the lines of one X-ray source.
    void take_section(std::string_view text) {
        const std::size_t colon = text.find(':');
        const std::string_view name = text.substr(0, colon);
        const bool known = std::any_of(known_.begin(), known_.end(), [&](const SaintIniLine& line) {
            return line.section == name;
        });
        if (!known) {
            fail("unknown section " + bracketed(name));
        }
        section_ = name;
        source_.clear();
        if (colon != std::string_view::npos) {
            source_ = source_named(text.substr(colon + 1));
        }
    }

    std::string source_named(std::string_view target) const {
        if (target.empty()) {
            fail(bracketed(section_ + ":") + " names no source after its colon");
        }
        std::optional<std::string> name = element_symbol(target);
        if (!name) {
            fail(std::string(target) + " is not a chemical element's symbol such as CU");
        }
        return *name;
    }

    void take_key(const std::string& key, std::string_view value) {
        if (section_.empty()) {
            fail(key + " stands before any [SECTION] line");
        }
        const SaintIniLine* line = key_line(known_, section_, key);
        if (line == nullptr) {
            fail(key + " is not a line of " + bracketed(section_) + where_else(key));
        }
        if (!line->fixed) {
            fail(key +
                 " comes from the project, its runs or its P4P file; a profile cannot set it");
        }
        const auto [first, added] = set_on_.try_emplace({section_name(), key}, number_);
        if (!added) {
            fail(key + " is given twice in " + bracketed(section_name()) + ", first on line " +
                 std::to_string(first->second));
        }
        if (holds_control_character(value)) {
            fail("the value of " + key + " holds a control character");
        }
        check_value_kind(key, value, line->value);
        profile_.entries.push_back({section_, key, std::string(value), source_});
    }

    // A line whose built-in value is a number takes a number of that kind, so
    // that a typo or a comment after the value never reaches saint.ini.
    void check_value_kind(const std::string& key, std::string_view value,
                          const std::string& built_in) const {
        if (is_whole_number(built_in) && !is_whole_number(value)) {
            fail(key + " takes a whole number such as " + built_in + ", not " + quoted(value));
        }
        if (is_number(built_in) && !is_number(value)) {
            fail(key + " takes a number such as " + built_in + ", not " + quoted(value));
        }
    }

    // The section as the profile names it: SCALE, or SCALE:CU.
    std::string section_name() const {
        return source_.empty() ? section_ : section_ + ":" + source_;
    }

    // Where a key that is not a line of the current section is one.
    std::string where_else(const std::string& key) const {
        for (const SaintIniLine& line : known_) {
            if (line.key == key) {
                return "; it is a line of " + bracketed(line.section);
            }
        }
        return "";
    }

    std::vector<SaintIniLine> known_;
    Profile profile_;
    std::string section_;
    std::string source_;  // the target of the section's source; empty in a common section
    std::size_t number_ = 0;
    std::map<std::pair<std::string, std::string>, std::size_t> set_on_;
};

[[noreturn]] void fail_at_line(const std::string& path, std::size_t number,
                               const std::string& what) {
    throw Failure(path + ":" + std::to_string(number) + ": " + what);
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
std::optional<Profile> read_default_profile(const std::string& path, Closed closed,
                                            Console& console) {
    if (path.empty()) {
        return std::nullopt;
    }
    std::string refusal;
    std::optional<InputFile> file = InputFile::open_if_present(
        path, "profile " + quoted(path), closed == Closed::kNoted ? &refusal : nullptr);
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

Profile parse_profile(LineSource& lines, const std::string& path, const std::string& called) {
    ProfileReader reader(path, called);
    const std::string& named = called.empty() ? path : called;
    std::string line;
    // A line past the limit is refused as soon as the limit is passed, so a
    // file of one endless line (zero bytes, say) is not read to its end.
    for (std::size_t number = 1;
         lines.read_line(kLongestLine, line, LineSource::Rest::kLeftAtTheCut); ++number) {
        // Read as a line, a whole old Mac file would be one comment or one
        // line of no known form.
        if (lines.lines_end_in_carriage_returns_only()) {
            fail_at_line(named, number,
                         "the lines end in a bare carriage return (line endings of an old Mac "
                         "editor); save the file with LF or CR LF line endings");
        }
        if (lines.last_line_was_cut()) {
            fail_at_line(named, number,
                         "the line is longer than " + std::to_string(kLongestLine) + " characters");
        }
        // Editors on Windows may start a UTF-8 file with a byte-order mark.
        if (number == 1 && line.starts_with(kByteOrderMark)) {
            line.erase(0, kByteOrderMark.size());
        }
        reader.take(line, number);
    }
    return reader.finish();
}

Profile profile_from_setting(std::string_view setting) {
    ProfileReader reader = ProfileReader::for_setting(setting);
    const std::size_t equals = setting.find('=');
    const std::string key(without_blanks_around(setting.substr(0, equals)));
    if (equals == std::string_view::npos || key.empty()) {
        throw Failure("--set " + std::string(setting) + ": not KEY=VALUE");
    }
    // As a profile's line: a value that long is a mistake, not an instrument's.
    if (setting.size() > kLongestLine) {
        throw Failure("--set " + key + "=...: the line is longer than " +
                      std::to_string(kLongestLine) + " characters");
    }
    reader.take(bracketed(reader.section_holding(key)), 1);
    reader.take(setting, 1);
    return reader.finish();
}

std::vector<Profile> load_profiles(const ProfileChoice& choice, Console& console,
                                   bool names_in_full, const EnvironmentLookup& environment) {
    std::vector<Profile> profiles;
    if (!choice.refused) {
        const DefaultProfilePaths places = default_profile_paths(environment);
        add_if_found(profiles, read_default_profile(places.site, Closed::kFailure, console));
        add_if_found(profiles, read_default_profile(places.user, Closed::kNoted, console));
        const std::string from_environment = environment("KORVALINE_PROFILE").value_or("");
        if (!from_environment.empty()) {
            const std::string called = name_in_messages(from_environment, names_in_full);
            profiles.push_back(
                read_profile_file(from_environment, called,
                                  "profile " + quoted(called) + " named by KORVALINE_PROFILE"));
        }
    }
    for (const std::string& named : choice.named) {
        const std::string called = name_in_messages(named, names_in_full);
        profiles.push_back(read_profile_file(named, called, "profile " + quoted(called)));
    }
    profiles.insert(profiles.end(), choice.set.begin(), choice.set.end());
    return profiles;
}

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

const Profile* profile_giving(const std::vector<Profile>& profiles, std::string_view section,
                              std::string_view key, std::string_view source) {
    for (auto profile = profiles.rbegin(); profile != profiles.rend(); ++profile) {
        if (profile->entry_for(section, key, source) != nullptr) {
            return &*profile;
        }
    }
    return nullptr;
}

std::string profile_template() {
    std::string text =
        "# KORVALINE instrument profile: the lines of saint.ini that are the same\n"
        "# for every crystal, with the values KORVALINE writes without a profile.\n"
        "# Take the ';' away from each line you change; the others keep their\n"
        "# values. Lines built from the project, its runs or its P4P file cannot\n"
        "# be set. Name the file with --profile FILE, or put it where korvaline\n"
        "# looks for one (korvaline --help says where).\n";
    for (const SaintIniLine& line : saint_ini_lines(SetupRecord{})) {
        if (line.kind == SaintIniLine::Kind::kHeader) {
            text += '\n';
            text += line.text();
            text += '\n';
        } else if (line.kind == SaintIniLine::Kind::kKey && line.fixed) {
            text += ';';
            text += line.text();
            text += '\n';
        }
    }
    text +=
        "\n"
        "# Lines for one X-ray source: under a section named with the target of\n"
        "# the source after a colon, they are used only for crystals whose P4P\n"
        "# file names that source on its SOURCE line, in place of the same lines\n"
        "# above. The Cu source of a dual-source instrument, for example:\n"
        ";[SCALE:CU]\n"
        ";SCALE_WAVE=1.54184\n";
    return text;
}

}  // namespace korvaline
