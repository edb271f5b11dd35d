#include "core/failure.hpp"
#include "platform/input_file.hpp"
#include "platform/places.hpp"
#include "settings/save_log.hpp"

namespace korvaline {

namespace {

std::string log_text(const std::string& path, const std::string& name) {
    std::optional<InputFile> file = InputFile::open_if_present(path, name);
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

// The log opened, none where there is none yet; `note` says why where it
// cannot be opened.
std::optional<AppendFile> opened(const std::string& path, const std::string& name,
                                 std::string& note) {
    try {
        return AppendFile::open_existing(path, name);
    } catch (const Failure& refused) {
        note = refused.message() + "; this save is not logged";
        return std::nullopt;
    }
}

}  // namespace

SaveLog::SaveLog(const std::string& file, bool in_full)
    : path_(path_beside(file, kSaveLogName)),
      name_(name_in_messages(path_, in_full)),
      file_(opened(path_, name_, note_)) {}

std::optional<LastSave> SaveLog::last_save_of(const std::string& file) const {
    if (!note_.empty()) {
        return std::nullopt;
    }
    try {
        return korvaline::last_save_of(log_text(path_, name_), file);
    } catch (const Failure&) {
        // A log that can be added to but not read tells of no save.
        return std::nullopt;
    }
}

std::string SaveLog::append(const std::string& block, const std::string& saved_file) {
    if (!note_.empty()) {
        return "";
    }
    try {
        if (!file_) {
            file_.emplace(AppendFile::create_like(path_, saved_file, name_));
        }
        file_->append(block);
    } catch (const Failure& lost) {
        return saved_file + " has been written, but " + lost.message();
    }
    return "";
}

}  // namespace korvaline
