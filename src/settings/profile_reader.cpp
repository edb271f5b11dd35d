#include "settings/profile_reader.hpp"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "core/note_names.hpp"
#include "core/numbers.hpp"
#include "core/setup_record.hpp"
#include "settings/saint_ini_lines.hpp"
#include "settings/settings_syntax.hpp"

namespace korvaline {

namespace {

// Longer lines are no profile's: they are refused, not cut.
constexpr std::size_t kLongestLine = 4096;
// The program's own section: what korvaline itself is to do, not a line of
// saint.ini.
constexpr std::string_view kOwnSection = "KORVALINE";

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
        : known_(saint_ini_lines(SetupRecord{})), profile_{std::move(path), {}, std::move(called),
                                                           false,           {}, {}} {
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

    void take(std::string_view text, std::size_t number) {
        number_ = number;
        const SettingsLine line = classify_settings_line(text);
        switch (line.kind) {
            case SettingsLine::Kind::kBlank:
            case SettingsLine::Kind::kComment:
                return;
            case SettingsLine::Kind::kSection:
                take_section(line);
                return;
            case SettingsLine::Kind::kSetting:
                take_key(std::string(line.name), line.value);
                return;
            case SettingsLine::Kind::kOther:
                break;
        }
        fail("not a [SECTION], KEY=VALUE or comment line");
    }

    [[noreturn]] void fail(const std::string& what) const {
        if (profile_.from_set) {
            throw Failure(profile_.path + ": " + what);
        }
        throw Failure(profile_.called + ":" + std::to_string(number_) + ": " + what);
    }

    [[noreturn]] void fail_on_line(std::size_t number, const std::string& what) {
        number_ = number;
        fail(what);
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
    // [SECTION], or [SECTION:TARGET] for the lines of one X-ray source.
    void take_section(const SettingsLine& line) {
        if (line.name == kOwnSection) {
            if (line.has_target) {
                fail(bracketed(kOwnSection) +
                     " is korvaline's own section; it has no lines for one "
                     "source");
            }
            section_ = kOwnSection;
            source_.clear();
            return;
        }
        const bool known = std::any_of(known_.begin(), known_.end(), [&](const SaintIniLine& l) {
            return l.section == line.name;
        });
        if (!known) {
            fail("unknown section " + bracketed(line.name));
        }
        section_ = line.name;
        source_.clear();
        if (line.has_target) {
            source_ = source_named(line.target);
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
        if (section_ == kOwnSection) {
            take_own_key(key, value);
            return;
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
        profile_.entries.push_back({section_, key, std::string(value), source_, number_});
    }

    void take_own_key(const std::string& key, std::string_view value) {
        std::optional<Profile::OwnSetting>* setting = key == "SOURCE"   ? &profile_.source_setting
                                                      : key == "ACCEPT" ? &profile_.accept_setting
                                                                        : nullptr;
        if (setting == nullptr) {
            fail(key + " is not a line of " + bracketed(kOwnSection) +
                 "; it holds SOURCE and ACCEPT");
        }
        if (setting->has_value()) {
            fail(key + " is given twice in " + bracketed(kOwnSection) + ", first on line " +
                 std::to_string((*setting)->line));
        }
        if (holds_control_character(value)) {
            fail("the value of " + key + " holds a control character");
        }
        *setting = Profile::OwnSetting{
            key == "SOURCE" ? std::vector{source_symbol(value)} : accepted_names(value), number_};
    }

    std::string source_symbol(std::string_view value) const {
        std::optional<std::string> symbol = element_symbol(value);
        if (!symbol) {
            fail("SOURCE takes a chemical element's symbol such as CU, not " + quoted(value));
        }
        return *symbol;
    }

    // ACCEPT=frame-gap,title-cut: names of notes. An empty list accepts
    // none, over a lower layer's list.
    std::vector<std::string> accepted_names(std::string_view value) const {
        std::vector<std::string> names;
        while (!value.empty() || !names.empty()) {
            const std::size_t comma = value.find(',');
            const std::string_view name = without_blanks_around(value.substr(0, comma));
            if (!note_kind_named(name)) {
                fail("ACCEPT: " + quoted(name) + " is not the name of a note such as frame-gap");
            }
            names.emplace_back(name);
            if (comma == std::string_view::npos) {
                break;
            }
            value.remove_prefix(comma + 1);
        }
        return names;
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

}  // namespace

Profile parse_profile(LineSource& source, const std::string& path, const std::string& called) {
    ProfileReader reader(path, called);
    SettingsLines lines(source, kLongestLine);
    std::string line;
    while (lines.next(line)) {
        switch (lines.fault()) {
            case SettingsLines::Fault::kBareCarriageReturns:
                // Read as lines, a whole old Mac file would be one comment
                // or one line of no known form.
                reader.fail_on_line(
                    lines.number(),
                    "the lines end in a bare carriage return (line endings of an old Mac "
                    "editor); save the file with LF or CR LF line endings");
            case SettingsLines::Fault::kTooLong:
                reader.fail_on_line(
                    lines.number(),
                    "the line is longer than " + std::to_string(kLongestLine) + " characters");
            case SettingsLines::Fault::kNone:
                break;
        }
        reader.take(line, lines.number());
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

}  // namespace korvaline
