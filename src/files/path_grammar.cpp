#include "files/path_grammar.hpp"

#include <algorithm>
#include <cctype>

namespace korvaline {

namespace {

// What sets one system's paths apart from another's.
struct PathGrammar {
    std::string_view separators;  // any of them parts a path
    char separator;               // the one the program writes
    std::string_view name_after;  // a file's own name follows the last of these
    bool drives_and_shares;       // roots such as C:\ and \\server\share
    std::string_view variable_before;
    std::string_view variable_after;
    // The user's configuration folder is named by user_variable, or else is
    // home_subfolder in the folder home_variable names (none where null).
    const char* user_variable;
    const char* home_variable;
    std::string_view home_subfolder;
    // The one for every user is named by system_variable, or else, where that
    // is null, is system_folder.
    const char* system_variable;
    std::string_view system_folder;
    ConfigurationFolderNames names;
};

// The XDG base directories: $XDG_CONFIG_HOME, or ~/.config without it.
constexpr PathGrammar kPosixGrammar{
    .separators = "/",
    .separator = '/',
    .name_after = "/",
    .drives_and_shares = false,
    .variable_before = "$",
    .variable_after = "",
    .user_variable = "XDG_CONFIG_HOME",
    .home_variable = "HOME",
    .home_subfolder = ".config",
    .system_variable = nullptr,
    .system_folder = "/etc",
    .names = {"$XDG_CONFIG_HOME", "XDG_CONFIG_HOME", "~/.config", "/etc"},
};

// C:saint.ini is saint.ini in drive C's current directory.
constexpr PathGrammar kWindowsGrammar{
    .separators = "\\/",
    .separator = '\\',
    .name_after = "\\/:",
    .drives_and_shares = true,
    .variable_before = "%",
    .variable_after = "%",
    .user_variable = "APPDATA",
    .home_variable = nullptr,
    .home_subfolder = "",
    .system_variable = "PROGRAMDATA",
    .system_folder = "",
    .names = {"%APPDATA%", "APPDATA", "", "%PROGRAMDATA%"},
};

const PathGrammar& grammar_of(PathStyle style) {
    return style == PathStyle::kWindows ? kWindowsGrammar : kPosixGrammar;
}

bool is_separator(const PathGrammar& grammar, std::string_view path, std::size_t at) {
    return at < path.size() && grammar.separators.find(path[at]) != std::string_view::npos;
}

// A path from the root: from a drive's root (C:\ or C:/) or a network share
// (\\server) on Windows. Any other is taken from the current directory or
// drive.
bool is_absolute(const PathGrammar& grammar, std::string_view path) {
    if (!grammar.drives_and_shares) {
        return is_separator(grammar, path, 0);
    }
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                       path[1] == ':' && is_separator(grammar, path, 2);
    return drive || (is_separator(grammar, path, 0) && is_separator(grammar, path, 1));
}

// How much of `folder` is its root, above which there is no folder: the
// slash of POSIX; on Windows a share's \\server\share\, or else three
// characters, as in C:\.
std::size_t root_length(const PathGrammar& grammar, const std::string& folder) {
    if (!grammar.drives_and_shares) {
        return is_separator(grammar, folder, 0) ? 1 : 0;
    }
    if (!is_separator(grammar, folder, 0) || !is_separator(grammar, folder, 1)) {
        return 3;
    }
    const std::size_t server_end = folder.find_first_of(grammar.separators, 2);
    const std::size_t share_end = server_end == std::string::npos
                                      ? std::string::npos
                                      : folder.find_first_of(grammar.separators, server_end + 1);
    return share_end == std::string::npos ? folder.size() : share_end + 1;
}

}  // namespace

ConfigurationFolders configuration_folders(const EnvironmentLookup& environment, PathStyle style) {
    const PathGrammar& grammar = grammar_of(style);
    const auto folder_named_by = [&](const char* variable) {
        const std::string folder = variable == nullptr ? "" : environment(variable).value_or("");
        return is_absolute(grammar, folder) ? folder : "";
    };
    ConfigurationFolders folders{folder_named_by(grammar.user_variable),
                                 std::string(grammar.system_folder)};
    const std::string home = folder_named_by(grammar.home_variable);
    if (folders.user.empty() && !home.empty()) {
        folders.user = path_in(home, grammar.home_subfolder, style);
    }
    if (grammar.system_variable != nullptr) {
        folders.system = folder_named_by(grammar.system_variable);
    }
    return folders;
}

ConfigurationFolderNames configuration_folder_names(PathStyle style) {
    return grammar_of(style).names;
}

std::string variable_in_text(std::string_view name, PathStyle style) {
    const PathGrammar& grammar = grammar_of(style);
    std::string text(grammar.variable_before);
    return text.append(name).append(grammar.variable_after);
}

std::string path_in(const std::string& folder, std::string_view name, PathStyle style) {
    std::string path = folder;
    return path.append(1, grammar_of(style).separator).append(name);
}

std::string parent_folder(const std::string& folder, PathStyle style) {
    const PathGrammar& grammar = grammar_of(style);
    const std::size_t root = root_length(grammar, folder);
    std::size_t end = folder.size();
    while (end > root && is_separator(grammar, folder, end - 1)) {
        --end;
    }
    if (end <= root) {
        return "";
    }
    while (end > root && !is_separator(grammar, folder, end - 1)) {
        --end;
    }
    while (end > root && is_separator(grammar, folder, end - 1)) {
        --end;
    }
    return folder.substr(0, std::max(end, root));
}

std::string path_beside(const std::string& path, std::string_view name, PathStyle style) {
    const std::size_t separator = path.find_last_of(grammar_of(style).name_after);
    const std::size_t directory_end = separator == std::string::npos ? 0 : separator + 1;
    return path.substr(0, directory_end) + std::string(name);
}

}  // namespace korvaline
