#include "core/backup_names.hpp"

#include <algorithm>
#include <array>
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

// N of a name "<file>.~N~", N a whole number from 1; 0 for any other name.
unsigned long long backup_number(std::string_view name, std::string_view file) {
    if (!name.starts_with(file)) {
        return 0;
    }
    name.remove_prefix(file.size());
    if (!name.starts_with(".~") || !name.ends_with('~') || name.size() < 4) {
        return 0;
    }
    const std::string_view digits = name.substr(2, name.size() - 3);
    if (digits.front() == '0' || digits.size() > 18 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    return std::stoull(std::string(digits));
}

unsigned long long highest_backup_number(std::string_view file,
                                         const std::vector<std::string>& names_beside) {
    unsigned long long highest = 0;
    for (const std::string& name : names_beside) {
        highest = std::max(highest, backup_number(name, file));
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
                        const std::vector<std::string>& names_beside) {
    const unsigned long long highest = highest_backup_number(path, names_beside);
    const bool numbered = choice.control == BackupControl::kNumbered ||
                          (choice.control == BackupControl::kExisting && highest > 0);
    return numbered ? path + ".~" + std::to_string(highest + 1) + "~" : path + choice.suffix;
}

bool is_numbered_backup(const std::string& path, const BackupChoice& choice,
                        const std::string& name) {
    return name != path + choice.suffix;
}

}  // namespace korvaline
