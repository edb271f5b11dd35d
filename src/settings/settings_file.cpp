#include "settings/settings_file.hpp"

#include "core/failure.hpp"

namespace korvaline {

namespace {

// Lines are collected and written in pieces of this size.
constexpr std::size_t kWriteSize = 16 * 1024;

}  // namespace

SettingsFile::SettingsFile(const std::string& path) : name_(path), file_(path) {}

void SettingsFile::write_line(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        throw Failure("cannot write " + name_ + ": its line " + quoted(text) +
                      " holds a line ending");
    }
    pending_.append(text);
    pending_.push_back('\n');
    if (pending_.size() >= kWriteSize) {
        write_out();
    }
}

void SettingsFile::close() {
    write_out();
    file_.commit();
}

void SettingsFile::write_out() {
    file_.write(pending_);
    pending_.clear();
}

}  // namespace korvaline
