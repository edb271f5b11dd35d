#include "settings/settings_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "setup/failure.hpp"

namespace korvaline {

namespace {

// Lines are collected and written in pieces of this size.
constexpr std::size_t kWriteSize = 16 * 1024;

// The permission bits the new file gets: those of the file it replaces, or
// those a newly created file would get.
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

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            fail("cannot replace", EISDIR);
        }
        if (::access(path_.c_str(), W_OK) != 0) {
            fail("cannot replace", errno);
        }
    }
    const mode_t mode = mode_for(path_);
    temporary_path_ = path_ + ".XXXXXX";
    fd_ = ::mkostemp(temporary_path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temporary_path_.clear();
        fail("cannot create a temporary file beside", errno);
    }
    if (::fchmod(fd_, mode) != 0) {
        fail("cannot set the permissions of the temporary file for", errno);
    }
}

SettingsFile::~SettingsFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_ && !temporary_path_.empty()) {
        ::unlink(temporary_path_.c_str());
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
    if (::fsync(fd_) != 0) {
        fail("cannot sync", errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail("cannot close", errno);
    }
    if (::rename(temporary_path_.c_str(), path_.c_str()) != 0) {
        fail("cannot replace", errno);
    }
    committed_ = true;
}

void SettingsFile::write_out() {
    std::size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t count = ::write(fd_, pending_.data() + written, pending_.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            fail("cannot write", count < 0 ? errno : EIO);
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

void SettingsFile::fail(std::string_view what, int error_number) const {
    fail_with_errno(std::string(what) + " " + path_, error_number);
}

}  // namespace korvaline
