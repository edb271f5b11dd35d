#include "settings/settings_file.hpp"

namespace korvaline {

namespace {

// Lines are collected and written in pieces of this size.
constexpr std::size_t kWriteSize = 16 * 1024;

}  // namespace

SettingsFile::SettingsFile(const std::string& path) : file_(path) {}

void SettingsFile::write_line(std::string_view text) {
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
