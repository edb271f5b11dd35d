#include "settings/settings_file.hpp"

#include <algorithm>

#include "core/characters.hpp"
#include "core/failure.hpp"
#include "platform/standard_streams.hpp"

namespace korvaline {

namespace {

// Lines are collected and written in pieces of this size.
constexpr std::size_t kWriteSize = 16 * 1024;

}  // namespace

SettingsFile::SettingsFile(const std::string& path) : name_(path) {
    file_.emplace(path);
}

SettingsFile::SettingsFile(const std::string& path, FileOperations& operations) : name_(path) {
    file_.emplace(path, operations);
}

SettingsFile::SettingsFile(const SettingsDestination& destination) : name_(destination.name()) {
    if (!destination.is_standard_output()) {
        file_.emplace(destination.name());
    }
}

void SettingsFile::write_line(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        throw Failure("cannot write " + name_ + ": its line " + quoted(text) +
                      " holds a line ending");
    }
    // Whatever the source of a line, no byte of it may cut saint.ini short
    // (Ctrl-Z ends a text-mode read on Windows) or move what follows.
    const auto control = std::find_if(text.begin(), text.end(),
                                      [](char c) { return c != '\t' && is_control_character(c); });
    if (control != text.end()) {
        throw Failure("cannot write " + name_ + ": its line " + quoted(text) +
                      " holds the control character " + byte_in_hex(*control));
    }
    pending_.append(text);
    pending_.push_back('\n');
    if (pending_.size() >= kWriteSize) {
        write_out();
    }
}

void SettingsFile::close(const BackupChoice& backup) {
    write_out();
    if (file_) {
        file_->commit(backup, [](std::string_view last_word) {
            write_standard_error("korvaline: " + printable(last_word) + "\n");
        });
    }
}

void SettingsFile::write_out() {
    if (file_) {
        file_->write(pending_);
    } else {
        write_standard_output(pending_);
    }
    pending_.clear();
}

}  // namespace korvaline
