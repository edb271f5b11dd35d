#include "platform/append_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/failure.hpp"
#include "platform/file_operations.hpp"
#include "platform/posix/file_kind.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// O_NOFOLLOW: a link planted in the log's place must not make the program
// append to a file of someone else's choosing. O_NONBLOCK: a FIFO must not
// hold the program until a reader comes.
constexpr int kAppendFlags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

void close_quietly(int fd) {
    ::close(fd);
}

// A FIFO without a reader and a directory cannot be opened to write at all;
// they are named for what they are.
[[noreturn]] void fail_to_open(const std::string& path, const std::string& name, int error) {
    struct stat info {};
    if (error == ELOOP) {
        throw Failure("cannot open " + name + ": it is a symbolic link, which is not followed");
    }
    if ((error == ENXIO || error == EISDIR) && ::lstat(path.c_str(), &info) == 0 &&
        !S_ISREG(info.st_mode)) {
        throw Failure("cannot open " + name + ": " + not_a_regular_file(info.st_mode));
    }
    fail_with_system_error("cannot open " + name, error);
}

// The descriptor, once it is known to be a regular file's.
int regular_file(int fd, const std::string& name) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        close_quietly(fd);
        fail_with_system_error("cannot open " + name, error);
    }
    if (!S_ISREG(info.st_mode)) {
        close_quietly(fd);
        throw Failure("cannot open " + name + ": " + not_a_regular_file(info.st_mode));
    }
    return fd;
}

}  // namespace

std::optional<AppendFile> AppendFile::open_existing(const std::string& path,
                                                    const std::string& name) {
    const int fd = ::open(path.c_str(), kAppendFlags);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) {
            return std::nullopt;
        }
        fail_to_open(path, name, error);
    }
    return AppendFile(regular_file(fd, name), name);
}

AppendFile AppendFile::create_like(const std::string& path, const std::string& like,
                                   const std::string& name) {
    // Made for the user alone until it has the model's owner and mode, which
    // it keeps where the model cannot be read.
    const int fd = ::open(path.c_str(), kAppendFlags | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST) {
            if (std::optional<AppendFile> made_meanwhile = open_existing(path, name)) {
                return std::move(*made_meanwhile);
            }
        }
        fail_to_open(path, name, error);
    }
    give_new_file_the_owner_and_mode_of(path, like);
    return AppendFile(fd, name);
}

AppendFile::AppendFile(std::intptr_t handle, std::string name)
    : handle_(handle), name_(std::move(name)) {}

AppendFile::AppendFile(AppendFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), name_(std::move(other.name_)) {}

AppendFile::~AppendFile() {
    if (handle_ >= 0) {
        close_quietly(static_cast<int>(handle_));
    }
}

void AppendFile::append(std::string_view record) {
    const ssize_t written = ::write(static_cast<int>(handle_), record.data(), record.size());
    if (written < 0) {
        const int error = errno;
        fail_with_system_error("cannot write " + name_, error);
    }
    if (static_cast<std::size_t>(written) != record.size()) {
        throw Failure("cannot write " + name_ + ": only " + std::to_string(written) + " of " +
                      std::to_string(record.size()) + " bytes were written");
    }
}

}  // namespace korvaline
