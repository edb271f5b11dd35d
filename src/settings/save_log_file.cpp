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

}  // namespace

SaveLog::SaveLog(const std::string& file, bool in_full)
    : path_(path_beside(file, kSaveLogName)), name_(name_in_messages(path_, in_full)) {}

std::optional<LastSave> SaveLog::last_save_of(const std::string& file) const {
    try {
        return korvaline::last_save_of(log_text(path_, name_), file);
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
        file_->append(block);
    } catch (const Failure& lost) {
        return saved_file + " has been written, but " + lost.message();
    }
    return "";
}

}  // namespace korvaline
