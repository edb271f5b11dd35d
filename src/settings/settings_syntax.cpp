#include "settings/settings_syntax.hpp"

#include <algorithm>
#include <cctype>

#include "core/characters.hpp"

namespace korvaline {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Keys of saint.ini are upper-case words with digits and underscores; a
// key of anything else makes a line of no known form.
bool is_key_name(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

SettingsLine section_line(std::string_view inside) {
    SettingsLine line{SettingsLine::Kind::kSection, inside, {}, false, {}};
    const std::size_t colon = inside.find(':');
    if (colon != std::string_view::npos) {
        line.name = inside.substr(0, colon);
        line.target = inside.substr(colon + 1);
        line.has_target = true;
    }
    return line;
}

}  // namespace

std::string SettingsLine::section_text() const {
    return has_target ? std::string(name) + ":" + std::string(target) : std::string(name);
}

SettingsLine classify_settings_line(std::string_view text) {
    text = without_blanks_around(text);
    if (text.empty()) {
        return {};
    }
    if (text.front() == ';' || text.front() == '#') {
        return {SettingsLine::Kind::kComment, {}, {}, false, {}};
    }
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return section_line(text.substr(1, text.size() - 2));
    }
    const std::size_t equals = text.find('=');
    const std::string_view key =
        without_blanks_around(text.substr(0, std::min(equals, text.size())));
    if (equals == std::string_view::npos || !is_key_name(key)) {
        return {SettingsLine::Kind::kOther, {}, {}, false, {}};
    }
    return {SettingsLine::Kind::kSetting,
            key,
            {},
            false,
            without_blanks_around(text.substr(equals + 1))};
}

bool SettingsLines::next(std::string& line) {
    // A line past the limit is stopped as soon as the limit is passed, so a
    // file of one endless line (zero bytes, say) is not read to its end.
    if (!source_.read_line(longest_, line, LineSource::Rest::kLeftAtTheCut)) {
        return false;
    }
    if (++number_ == 1 && line.starts_with(kByteOrderMark)) {
        line.erase(0, kByteOrderMark.size());
    }
    return true;
}

SettingsLines::Fault SettingsLines::fault() const {
    if (source_.lines_end_in_carriage_returns_only()) {
        return Fault::kBareCarriageReturns;
    }
    return source_.last_line_was_cut() ? Fault::kTooLong : Fault::kNone;
}

}  // namespace korvaline
