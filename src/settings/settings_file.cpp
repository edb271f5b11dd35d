#include "settings/settings_file.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "setup/failure.hpp"

namespace korvaline {

namespace {

// Lines are collected and written in pieces of this size.
constexpr std::size_t kWriteSize = 16 * 1024;

// The target must be a file the user may replace, or not exist yet.
const std::string& replaceable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            fail_with_errno("cannot replace " + path, EISDIR);
        }
        if (::access(path.c_str(), W_OK) != 0) {
            fail_with_errno("cannot replace " + path, errno);
        }
    }
    return path;
}

// The permission bits of the file being replaced, or those a newly created
// file gets under the current umask.
mode_t mode_for(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

SettingsFile::SettingsFile(std::string path)
    : path_(std::move(path)), temporary_(replaceable(path_)) {
    if (::fchmod(temporary_.fd(), mode_for(path_)) != 0) {
        fail_with_errno("cannot set the permissions of the new " + path_, errno);
    }
}

void SettingsFile::write_line(std::string_view text) {
    pending_.append(text);
    pending_.push_back('\n');
    if (pending_.size() >= kWriteSize) {
        write_out();
    }
}

void SettingsFile::write_separator() {
    write_line(" ");
}

void SettingsFile::close() {
    write_out();
    temporary_.commit_to_target();
}

void SettingsFile::write_out() {
    std::size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t count =
            ::write(temporary_.fd(), pending_.data() + written, pending_.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            fail_with_errno("cannot write " + path_, count < 0 ? errno : EIO);
        }
        written += static_cast<std::size_t>(count);
    }
    pending_.clear();
}

void write_section(SettingsFile& file, std::string_view header,
                   std::initializer_list<std::string> key_lines) {
    file.write_separator();
    file.write_line(header);
    for (const std::string& line : key_lines) {
        file.write_line(line);
    }
}

}  // namespace korvaline
