#include "settings/old_settings.hpp"

#include <algorithm>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "files/input_file.hpp"
#include "settings/settings_syntax.hpp"

namespace korvaline {

namespace {

// Enough for any saint.ini, which is about 5 KiB; a larger file is no
// settings file of this program's and is only compared where it starts.
constexpr std::size_t kLongestRead = 64 * 1024;
constexpr std::size_t kKeysNamed = 3;

bool is_section(const std::vector<SaintIniLine>& lines, std::string_view name) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const SaintIniLine& line) { return line.section == name; });
}

// The section and the key and value of each KEY=VALUE line of `text`, in
// order, the section given by the [SECTION] line before it.
struct OldLine {
    std::string section;
    std::string key;
    std::string value;
};

std::vector<OldLine> key_lines_of(std::string_view text) {
    LineSource source = LineSource::from_text(std::string(text));
    SettingsLines lines(source, kLongestRead);
    std::vector<OldLine> found;
    std::string section;
    std::string read;
    while (lines.next(read) && lines.fault() == SettingsLines::Fault::kNone) {
        const SettingsLine line = classify_settings_line(read);
        if (line.kind == SettingsLine::Kind::kSection) {
            section = line.section_text();
        } else if (line.kind == SettingsLine::Kind::kSetting) {
            found.push_back({section, std::string(line.name), std::string(line.value)});
        }
    }
    return found;
}

// The file's first bytes, as many as `longest` at most; none where it
// cannot be read.
std::optional<std::string> start_of_file(const std::string& path, std::size_t longest) {
    std::string text(longest, '\0');
    std::size_t size = 0;
    try {
        InputFile file = InputFile::open_regular_file(path, path);
        while (size < text.size()) {
            const std::size_t got = file.read(text.data() + size, text.size() - size);
            if (got == 0) {
                break;
            }
            size += got;
        }
    } catch (const Failure&) {
        return std::nullopt;
    }
    text.resize(size);
    return text;
}

}  // namespace

std::optional<OldSettings> old_settings(const std::string& path) {
    std::optional<std::string> text = start_of_file(path, kLongestRead + 1);
    if (!text) {
        return std::nullopt;
    }
    if (text->size() > kLongestRead) {
        return OldSettings{old_settings_start(path), false};
    }
    return OldSettings{std::move(*text), true};
}

std::vector<const SaintIniLine*> lines_not_in(std::string_view old_text,
                                              const std::vector<SaintIniLine>& lines) {
    const std::vector<OldLine> old_lines = key_lines_of(old_text);
    std::vector<const SaintIniLine*> differing;
    for (const SaintIniLine& line : lines) {
        const bool held = std::any_of(old_lines.begin(), old_lines.end(), [&](const OldLine& old) {
            return old.section == line.section && old.key == line.key &&
                   old.value == without_blanks_around(line.value);
        });
        if (line.kind == SaintIniLine::Kind::kKey && !held) {
            differing.push_back(&line);
        }
    }
    return differing;
}

std::string old_settings_start(const std::string& path) {
    std::string text = start_of_file(path, kLongestRead).value_or("");
    if (text.size() == kLongestRead) {
        const std::size_t last_feed = text.rfind('\n');
        text.resize(last_feed == std::string::npos ? 0 : last_feed + 1);
    }
    return text;
}

std::string replaced_values_note(std::string_view old_text,
                                 const std::vector<SaintIniLine>& new_lines,
                                 std::string_view settings_name, std::string_view outcome) {
    LineSource source = LineSource::from_text(std::string(old_text));
    SettingsLines lines(source, kLongestRead);
    std::string section;
    std::string text;
    // Each line of the new file once, however often the old file gives its key.
    std::vector<const SaintIniLine*> replaced;
    while (lines.next(text) && lines.fault() == SettingsLines::Fault::kNone) {
        const SettingsLine line = classify_settings_line(text);
        if (line.kind == SettingsLine::Kind::kSection) {
            section = line.section_text();
            continue;
        }
        if (line.kind != SettingsLine::Kind::kSetting || !is_section(new_lines, section)) {
            continue;
        }
        const SaintIniLine* now = key_line(new_lines, section, line.name);
        if (now == nullptr || !now->fixed || line.value == now->value ||
            std::find(replaced.begin(), replaced.end(), now) != replaced.end()) {
            continue;
        }
        replaced.push_back(now);
    }
    const std::size_t count = replaced.size();
    if (count == 0) {
        return "";
    }
    std::vector<std::string> named;
    for (std::size_t i = 0; i < std::min(count, kKeysNamed); ++i) {
        named.push_back(replaced[i]->key);
    }
    return "the old " + std::string(settings_name) + " had other values in " +
           std::to_string(count) + (count == 1 ? " line (" : " lines (") + comma_separated(named) +
           "); they " + std::string(outcome);
}

}  // namespace korvaline
