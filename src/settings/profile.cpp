#include "settings/profile.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>
#include <utility>

#include "core/failure.hpp"
#include "platform/input_file.hpp"

namespace korvaline {

namespace {

// Longer lines are no profile's: they are refused, not cut.
constexpr std::size_t kLongestLine = 4096;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view without_blanks_around(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Keys of saint.ini are upper-case words with digits and underscores; a
// key of anything else is a line of no known form.
bool is_key_name(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

bool holds_control_character(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return true;
        }
    }
    return false;
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
    explicit ProfileReader(std::string path)
        : known_(saint_ini_lines(SetupRecord{})), profile_{std::move(path), {}} {}

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

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw Failure(profile_.path + ":" + std::to_string(number_) + ": " + what);
    }

    const SaintIniLine* find(std::string_view section, std::string_view key) const {
        for (const SaintIniLine& line : known_) {
            if (line.section == section && line.key == key &&
                line.kind == SaintIniLine::Kind::kKey) {
                return &line;
            }
        }
        return nullptr;
    }

    void take_section(std::string_view name) {
        for (const SaintIniLine& line : known_) {
            if (line.section == name) {
                section_ = name;
                return;
            }
        }
        fail("unknown section " + bracketed(name));
    }

    void take_key(const std::string& key, std::string_view value) {
        if (section_.empty()) {
            fail(key + " stands before any [SECTION] line");
        }
        const SaintIniLine* line = find(section_, key);
        if (line == nullptr) {
            fail(key + " is not a line of " + bracketed(section_) + where_else(key));
        }
        if (!line->fixed) {
            fail(key +
                 " comes from the project, its runs or its P4P file; a profile cannot set it");
        }
        const auto [first, added] = set_on_.try_emplace({section_, key}, number_);
        if (!added) {
            fail(key + " is given twice in " + bracketed(section_) + ", first on line " +
                 std::to_string(first->second));
        }
        if (holds_control_character(value)) {
            fail("the value of " + key + " holds a control character");
        }
        profile_.entries.push_back({section_, key, std::string(value)});
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
    std::size_t number_ = 0;
    std::map<std::pair<std::string, std::string>, std::size_t> set_on_;
};

[[noreturn]] void fail_at_line(const std::string& path, std::size_t number,
                               const std::string& what) {
    throw Failure(path + ":" + std::to_string(number) + ": " + what);
}

Profile read_profile_file(const std::string& path, const std::string& name) {
    LineSource lines(InputFile::open_regular_file(path, name));
    return parse_profile(lines, path);
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
        console.note("cannot read " + path + ": " + refusal + "; going on without it");
    }
    if (!file) {
        return std::nullopt;
    }
    LineSource lines(std::move(*file));
    return parse_profile(lines, path);
}

}  // namespace

Profile parse_profile(LineSource& lines, const std::string& path) {
    ProfileReader reader(path);
    std::string line;
    // A line past the limit is refused as soon as the limit is passed, so a
    // file of one endless line (zero bytes, say) is not read to its end.
    for (std::size_t number = 1;
         lines.read_line(kLongestLine, line, LineSource::Rest::kLeftAtTheCut); ++number) {
        // Read as a line, a whole old Mac file would be one comment or one
        // line of no known form.
        if (lines.lines_end_in_carriage_returns_only()) {
            fail_at_line(path, number,
                         "the lines end in a bare carriage return (line endings of an old Mac "
                         "editor); save the file with LF or CR LF line endings");
        }
        if (lines.last_line_was_cut()) {
            fail_at_line(path, number,
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

std::optional<Profile> load_profile(const ProfileChoice& choice, Console& console,
                                    const EnvironmentLookup& environment) {
    if (choice.refused) {
        return std::nullopt;
    }
    if (choice.named) {
        return read_profile_file(*choice.named, "profile " + quoted(*choice.named));
    }
    const std::string from_environment = environment("KORVALINE_PROFILE").value_or("");
    if (!from_environment.empty()) {
        return read_profile_file(from_environment, "profile " + quoted(from_environment) +
                                                       " named by KORVALINE_PROFILE");
    }
    const DefaultProfilePaths places = default_profile_paths(environment);
    std::optional<Profile> profile = read_default_profile(places.user, Closed::kNoted, console);
    return profile ? profile : read_default_profile(places.site, Closed::kFailure, console);
}

void apply_profile(const Profile& profile, std::vector<SaintIniLine>& lines) {
    for (const Profile::Entry& entry : profile.entries) {
        for (SaintIniLine& line : lines) {
            if (line.fixed && line.section == entry.section && line.key == entry.key) {
                line.value = entry.value;
            }
        }
    }
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
    return text;
}

}  // namespace korvaline
