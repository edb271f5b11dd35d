#include "core/backup_names.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace korvaline {

namespace {

constexpr std::array<std::pair<std::string_view, BackupControl>, 8> kControlWords = {{
    {"none", BackupControl::kNone},
    {"off", BackupControl::kNone},
    {"numbered", BackupControl::kNumbered},
    {"t", BackupControl::kNumbered},
    {"existing", BackupControl::kExisting},
    {"nil", BackupControl::kExisting},
    {"simple", BackupControl::kSimple},
    {"never", BackupControl::kSimple},
}};

bool same_letters(std::string_view a, std::string_view b, bool ignore_case) {
    const auto folded = [ignore_case](char c) {
        return ignore_case && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return folded(x) == folded(y);
           });
}

// N of a name "<file>.~N~", N a whole number from 1 of any length, as its
// digits; empty for any other name.
std::string_view backup_number(std::string_view name, std::string_view file, bool ignore_case) {
    if (name.size() < file.size() + 4 ||
        !same_letters(name.substr(0, file.size()), file, ignore_case)) {
        return {};
    }
    name.remove_prefix(file.size());
    if (!name.starts_with(".~") || !name.ends_with('~')) {
        return {};
    }
    const std::string_view digits = name.substr(2, name.size() - 3);
    if (digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {};
    }
    return digits;
}

// Whole numbers without leading zeros, as text: the longer is the larger.
bool less_number(std::string_view a, std::string_view b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// One more than `number` (empty: 0), as text.
std::string one_more(std::string_view number) {
    std::string next(number);
    for (auto digit = next.rbegin(); digit != next.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return next;
        }
        *digit = '0';
    }
    return "1" + next;
}

std::string_view highest_backup_number(std::string_view file,
                                       const std::vector<std::string>& names_beside,
                                       bool ignore_case) {
    std::string_view highest;
    for (const std::string& name : names_beside) {
        highest = std::max(highest, backup_number(name, file, ignore_case), less_number);
    }
    return highest;
}

}  // namespace

std::optional<BackupControl> backup_control_named(std::string_view word) {
    std::optional<BackupControl> found;
    for (const auto& [name, control] : kControlWords) {
        if (name == word) {
            return control;
        }
        if (!word.empty() && name.starts_with(word)) {
            if (found && *found != control) {
                return std::nullopt;  // the start of words that differ
            }
            found = control;
        }
    }
    return found;
}

bool is_backup_suffix(std::string_view suffix) {
    return !suffix.empty() && suffix.find('/') == std::string_view::npos &&
           suffix.find('\\') == std::string_view::npos;
}

std::string backup_name(const std::string& path, const BackupChoice& choice,
                        const std::vector<std::string>& names_beside, bool ignore_case) {
    const std::string_view highest = highest_backup_number(path, names_beside, ignore_case);
    const bool numbered = choice.control == BackupControl::kNumbered ||
                          (choice.control == BackupControl::kExisting && !highest.empty());
    return numbered ? path + ".~" + one_more(highest) + "~" : path + choice.suffix;
}

bool is_numbered_backup(const std::string& path, const BackupChoice& choice,
                        const std::string& name) {
    return name != path + choice.suffix;
}

}  // namespace korvaline
