#include "settings/save_log.hpp"

#include <algorithm>

#include "core/failure.hpp"
#include "core/utc_time.hpp"

namespace korvaline {

namespace {

constexpr std::string_view kHeader = "== ";
constexpr std::string_view kDigestKey = "sha256: ";
constexpr std::size_t kKeysNamed = 3;

void add_field(std::string& block, std::string_view key, std::string_view value) {
    block.append(key).append(": ").append(value).append("\n");
}

// Where a line came from, a TAB, and the line, as --show-origin shows it.
std::string line_with_origin(const SaintIniLine& line) {
    return printable(line.origin) + "\t" + line.text();
}

// The next line, without its line feed and the carriage return that a log
// opened in a Windows editor may have gained.
std::string_view next_line(std::string_view& text) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// The file's own name, without its directory: a log tells of the files
// beside it, and still does once their directory is moved or renamed.
std::string_view last_name_of(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool needs_quotes(std::string_view argument) {
    return argument.empty() || argument.find_first_of(" '\"\\") != std::string_view::npos;
}

}  // namespace

std::string command_line_text(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        text += text.empty() ? "" : " ";
        text += needs_quotes(argument) ? quoted(printable(argument)) : printable(argument);
    }
    return text;
}

std::string log_block(const SavedFile& saved) {
    const std::string file = printable(saved.file);
    const RunFacts& run = saved.run;
    std::string block = std::string(kHeader) + run.time + " " + file + "\n";
    add_field(block, "version", run.version);
    add_field(block, "user", printable(run.user));
    add_field(block, "host", printable(run.host));
    add_field(block, "directory", printable(run.directory));
    add_field(block, "command", command_line_text(run.arguments));
    add_field(block, "file", file);
    add_field(block, "sha256", saved.sha256 + "  " + file);
    if (!saved.backup.empty()) {
        add_field(block, "backup", printable(saved.backup));
    }
    for (const std::string& profile : saved.profiles) {
        add_field(block, "profile", profile);
    }
    for (const SaintIniLine& line : saved.lines) {
        if (line.kind == SaintIniLine::Kind::kKey && !line.built_in_value) {
            add_field(block, "line", line_with_origin(line));
        }
    }
    for (const SaintIniLine& line : saved.changed) {
        add_field(block, "changed", line_with_origin(line));
    }
    add_field(block, "p4p", printable(saved.p4p));
    for (const std::string& found : saved.runs) {
        add_field(block, "run", printable(found));
    }
    for (const std::string& note : saved.notes) {
        add_field(block, "note", printable(note));
    }
    return block + "\n";
}

std::optional<LastSave> last_save_of(std::string_view log_text, std::string_view file) {
    const std::string wanted = printable(last_name_of(file));
    std::optional<LastSave> last;
    std::string time;  // of the block being read, when it is the file's
    while (!log_text.empty()) {
        const std::string_view line = next_line(log_text);
        if (line.starts_with(kHeader)) {
            const std::string_view rest = line.substr(kHeader.size());
            const std::size_t blank = rest.find(' ');
            const bool for_file =
                blank != std::string_view::npos && last_name_of(rest.substr(blank + 1)) == wanted;
            time = for_file ? std::string(rest.substr(0, blank)) : "";
        } else if (line.empty()) {
            time.clear();  // the block's end
        } else if (!time.empty() && line.starts_with(kDigestKey)) {
            const std::string_view digest = line.substr(kDigestKey.size());
            last = LastSave{time, std::string(digest.substr(0, digest.find(' ')))};
            time.clear();
        }
    }
    return last;
}

std::string hand_edit_note(const LastSave& last, const std::vector<const SaintIniLine*>& differing,
                           std::string_view settings_name, bool before_the_save) {
    std::string note = std::string(settings_name) + " was changed after korvaline wrote it on " +
                       readable_utc_time(last.time) + "; ";
    const std::size_t count = differing.size();
    if (count == 0) {
        return note + "the new one differs from it in no KEY=VALUE line; it " +
               (before_the_save ? "would be replaced" : "is replaced");
    }
    std::vector<std::string> named;
    for (std::size_t i = 0; i < std::min(count, kKeysNamed); ++i) {
        named.push_back(differing[i]->key);
    }
    if (count > kKeysNamed) {
        named.push_back("...");
    }
    return note + "the new one differs in " + std::to_string(count) +
           (count == 1 ? " line (" : " lines (") + comma_separated(named) +
           (count == 1 ? "); it " : "); they ") +
           (before_the_save ? "would be replaced"
            : count == 1    ? "is replaced"
                            : "are replaced");
}

}  // namespace korvaline
