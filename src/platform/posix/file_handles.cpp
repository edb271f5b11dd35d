#include "platform/file_handles.hpp"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/posix/file_kind.hpp"

namespace korvaline {

namespace {

int descriptor(FileHandle file) {
    return static_cast<int>(file);
}

// O_NONBLOCK: opening a FIFO must not wait for a writer, or a reader, that
// never comes. O_NOFOLLOW: a link planted in a log's place must not make the
// program read or append to a file of someone else's choosing.
int flags_for(OpenFor purpose) {
    constexpr int kAlways = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    constexpr int kAppend = O_WRONLY | O_APPEND | O_NOFOLLOW | kAlways;
    switch (purpose) {
        case OpenFor::reading:
            return O_RDONLY | kAlways;
        case OpenFor::reading_unless_link:
            return O_RDONLY | O_NOFOLLOW | kAlways;
        case OpenFor::appending:
            return kAppend;
        case OpenFor::creating_to_append:
            return kAppend | O_CREAT | O_EXCL;
    }
    return O_RDONLY | kAlways;
}

bool follows_links(OpenFor purpose) {
    return purpose == OpenFor::reading;
}

// Where a name that cannot be opened for want of its file is a symbolic link,
// what it stands for is missing.
Opening absent_or_dangling(const std::string& path, int error) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return {Opened::absent, 0, error, ""};
    }
    std::array<char, PATH_MAX> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) {
        return {Opened::failed, 0, errno, ""};
    }
    return {Opened::dangling_link, 0, error,
            std::string(target.data(), static_cast<std::size_t>(length))};
}

// A FIFO without a reader, a socket and a directory cannot be opened to
// write, or at all; they are named for what they are.
Opening not_opened(const std::string& path, OpenFor purpose, int error) {
    switch (error) {
        case EEXIST:
            return {Opened::already_there, 0, error, ""};
        case ENOENT:
        case ENOTDIR:
            if (purpose == OpenFor::reading) {
                return absent_or_dangling(path, error);
            }
            return {Opened::absent, 0, error, ""};
        case EACCES:
            return {Opened::refused, 0, error, ""};
        case ELOOP:
            if (!follows_links(purpose)) {
                return {Opened::link, 0, error, ""};
            }
            break;
        case ENXIO:
        case EISDIR: {
            struct stat info {};
            const int looked =
                follows_links(purpose) ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
            if (looked == 0 && !S_ISREG(info.st_mode)) {
                return {Opened::not_regular, 0, error, kind_of(info.st_mode)};
            }
            break;
        }
        default:
            break;
    }
    return {Opened::failed, 0, error, ""};
}

// The descriptor, once it is known to be a regular file's.
Opening regular_file(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return {Opened::unreadable, 0, error, ""};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return {Opened::not_regular, 0, 0, kind_of(info.st_mode)};
    }
    return {Opened::file, fd, 0, ""};
}

}  // namespace

Opening open_file(const std::string& path, OpenFor purpose) {
    // A new file is the user's alone until it has its model's owner and mode.
    const int fd = ::open(path.c_str(), flags_for(purpose), S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return not_opened(path, purpose, errno);
    }
    return purpose == OpenFor::creating_to_append ? Opening{Opened::file, fd, 0, ""}
                                                  : regular_file(fd);
}

FileHandle standard_input_handle() {
    return STDIN_FILENO;
}

void close_file(FileHandle file) noexcept {
    ::close(descriptor(file));
}

int read_some(FileHandle file, std::size_t most, std::string& bytes) {
    bytes.resize(most);
    for (;;) {
        const ssize_t count = ::read(descriptor(file), bytes.data(), most);
        if (count >= 0) {
            bytes.resize(static_cast<std::size_t>(count));
            return 0;
        }
        if (errno != EINTR) {
            const int error = errno;
            bytes.clear();
            return error;
        }
    }
}

int write_once(FileHandle file, std::string_view bytes, std::size_t& written) {
    const ssize_t count = ::write(descriptor(file), bytes.data(), bytes.size());
    written = count < 0 ? 0 : static_cast<std::size_t>(count);
    return count < 0 ? errno : 0;
}

}  // namespace korvaline
