#include <algorithm>
#include <cctype>

#include "core/failure.hpp"
#include "files/absolute_path.hpp"
#include "files/input_file.hpp"
#include "files/path_grammar.hpp"
#include "platform/name_exists.hpp"
#include "settings/save_log.hpp"

namespace korvaline {

namespace {

std::string log_text(const std::string& path, const std::string& name) {
    std::optional<InputFile> file = InputFile::open_if_present_unless_link(path, name);
    std::string text;
    if (!file) {
        return text;
    }
    char buffer[64 * 1024];
    while (const std::size_t got = file->read(buffer, sizeof buffer)) {
        text.append(buffer, got);
    }
    return text;
}

}  // namespace

bool is_named_as_the_log(std::string_view file) {
    const std::size_t separator = file.find_last_of(names_ignore_case() ? "/\\:" : "/");
    std::string name(separator == std::string_view::npos ? file : file.substr(separator + 1));
    if (names_ignore_case()) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return name == kSaveLogName;
}

SaveLog::SaveLog(const std::string& file, bool in_full)
    : path_(path_beside(file, kSaveLogName)), name_(name_in_messages(path_, in_full)) {}

std::optional<LastSave> SaveLog::last_save_of(const std::string& file) {
    try {
        const std::string text = log_text(path_, name_);
        ends_in_a_cut_line_ = !text.empty() && !text.ends_with('\n');
        return korvaline::last_save_of(text, file);
    } catch (const Failure&) {
        // Opening it to append to tells why it cannot be used.
        return std::nullopt;
    }
}

std::string SaveLog::open() {
    try {
        if (std::optional<AppendFile> opened = AppendFile::open_existing(path_, name_)) {
            file_.emplace(std::move(*opened));
        }
    } catch (const Failure& refused) {
        refused_ = true;
        return refused.message() + "; this save is not logged";
    }
    return "";
}

std::string SaveLog::append(const std::string& block, const std::string& saved_file) {
    if (refused_) {
        return "";
    }
    try {
        if (!file_) {
            file_.emplace(AppendFile::create_like(path_, saved_file, name_));
        }
        file_->append(ends_in_a_cut_line_ ? "\n" + block : block);
    } catch (const Failure& lost) {
        return saved_file + " has been written, but " + lost.message();
    }
    return "";
}

}  // namespace korvaline
