#include "platform/file_operations.hpp"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "core/failure.hpp"
#include "core/group_access.hpp"
#include "platform/directory_names.hpp"
#include "platform/identity.hpp"
#include "platform/posix/access_lists.hpp"
#include "platform/posix/file_kind.hpp"
#include "platform/posix/interruption.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

constexpr int kMostLinksFollowed = 40;

int descriptor(FileHandle file) {
    return static_cast<int>(file);
}

std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// `name` with its symbolic links followed, and what is there now.
SaveTarget follow_links(const std::string& name, struct stat& info) {
    SaveTarget target{name};
    info = {};
    for (int links = 0;; ++links) {
        if (::lstat(target.path.c_str(), &info) != 0) {
            const int error = errno;
            if (error != ENOENT) {
                fail_with_system_error("cannot replace " + name, error);
            }
            return target;
        }
        if (!S_ISLNK(info.st_mode)) {
            target.exists = true;
            return target;
        }
        if (links == kMostLinksFollowed) {
            fail_with_system_error("cannot replace " + name, ELOOP);
        }
        std::array<char, PATH_MAX> link{};
        const ssize_t length = ::readlink(target.path.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) == link.size()) {
            const int error = length < 0 ? errno : ENAMETOOLONG;
            fail_with_system_error("cannot replace " + name, error);
        }
        const std::string linked(link.data(), static_cast<std::size_t>(length));
        target.path = linked.front() == '/' || target.path.find('/') == std::string::npos
                          ? linked
                          : directory_of(target.path) + "/" + linked;
    }
}

// Keeps the file usable by its owner after a run as root. Anyone else may not
// give a file away, but may keep its group when they belong to it, so that a
// group's shared file stays the group's; a refusal of both leaves the user's
// own.
void take_over_owner(int fd, const SaveTarget& old) {
    if (old.owner != ::geteuid() || old.group != ::getegid()) {
        if (::fchown(fd, old.owner, old.group) != 0) {
            [[maybe_unused]] const int refused = ::fchown(fd, static_cast<uid_t>(-1), old.group);
        }
    }
}

// The directory's owner and group for a file that root has just created in
// it; nothing for anyone else.
void own_as_directory(int fd, const std::string& path) {
    struct stat directory {};
    if (::geteuid() == 0 && ::stat(directory_of(path).c_str(), &directory) == 0) {
        [[maybe_unused]] const int refused = ::fchown(fd, directory.st_uid, directory.st_gid);
    }
}

class SystemFileOperations final : public FileOperations {
  public:
    SaveTarget look_at(const std::string& name) override {
        struct stat info {};
        SaveTarget target = follow_links(name, info);
        target.owner = info.st_uid;
        target.group = info.st_gid;
        target.mode = info.st_mode;
        if (target.exists) {
            if (!S_ISREG(info.st_mode)) {
                throw Failure("cannot replace " + name + ": " + not_a_regular_file(info.st_mode));
            }
            // Renaming would succeed on a read-only file; its owner's refusal holds.
            if (::access(target.path.c_str(), W_OK) != 0) {
                const int error = errno;
                fail_with_system_error("cannot replace " + name, error);
            }
        }
        return target;
    }

    NameRoom name_room(const std::string& path) override {
        const std::size_t slash = path.rfind('/');
        const long most = ::pathconf(directory_of(path).c_str(), _PC_NAME_MAX);
        return {slash == std::string::npos ? path.size() : path.size() - slash - 1,
                static_cast<std::size_t>(most > 0 ? most : NAME_MAX)};
    }

    std::vector<std::string> names_beside(const std::string& path) override {
        return korvaline::names_beside(path);
    }

    // Where an old file is replaced, the new one opens to no one else until
    // it has the old one's rights; a new one gets what the system grants any
    // new file: the umask, or the directory's default access control list.
    int create_new(const std::string& path, bool replacing, FileHandle& file) override {
        const int fd =
            ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        file = fd;
        return fd < 0 ? errno : 0;
    }

    bool already_exists(int error) const override { return error == EEXIST; }

    int write(FileHandle file, std::string_view bytes) override { return write_all(file, bytes); }

    int sync(FileHandle file) override { return ::fsync(descriptor(file)) == 0 ? 0 : errno; }

    int close(FileHandle file) override { return ::close(descriptor(file)) == 0 ? 0 : errno; }

    int link(const std::string& existing, const std::string& new_name) override {
        return ::link(existing.c_str(), new_name.c_str()) == 0 ? 0 : errno;
    }

    // Signals are held back for the whole save instead.
    void keep(const std::string& /*path*/) noexcept override {}

    int rename_over(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    void remove(const std::string& path) noexcept override { ::unlink(path.c_str()); }

    int sync_directory(const std::string& path) override {
        const int fd = ::open(directory_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int error = fd < 0 ? errno : 0;
        // EINVAL: a file system that cannot sync a directory; nothing more
        // can be done there.
        if (fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL) {
            error = errno;
        }
        if (fd >= 0) {
            ::close(fd);
        }
        return error;
    }

    std::string settle_metadata(const SaveTarget& old, FileHandle file,
                                const std::string& name) override;

    void hold_interruptions() override { interruptions_.hold(); }

    std::string interruption() override {
        const int signal_number = interruptions_.pending();
        return signal_number == 0 ? "" : ::strsignal(signal_number);
    }

    void release_interruptions() noexcept override { interruptions_.release(); }

  private:
    InterruptionsHeld interruptions_;
};

std::string SystemFileOperations::settle_metadata(const SaveTarget& old, FileHandle file,
                                                  const std::string& name) {
    const int fd = descriptor(file);
    if (!old.exists) {
        own_as_directory(fd, old.path);
        return "";
    }
    take_over_owner(fd, old);
    struct stat made {};
    const bool group_kept = ::fstat(fd, &made) == 0 && made.st_gid == old.group;
    // Before the mode: where the old file has an access control list, its
    // group bits are the list's mask, which alone would open the new file to
    // the whole group, if only for a moment.
    const bool mode_shows_mask = copy_access_list_and_attributes(old.path, fd, group_kept, name);
    const mode_t mode = old.mode & 07777;
    if (::fchmod(fd, group_kept || mode_shows_mask ? mode : mode_for_another_group(mode)) != 0) {
        const int error = errno;
        fail_with_system_error("cannot set the permissions of the new " + name, error);
    }
    if (group_kept) {
        return "";
    }
    return "the new " + name + " cannot keep the old one's group " + group_name(old.group) +
           "; it belongs to " + group_name(made.st_gid) +
           ", which gets no more access to it than others had";
}

}  // namespace

int write_all(FileHandle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(descriptor(file), bytes.data(), bytes.size());
        if (count < 0) {
            const int error = errno;
            if (error == EINTR) {
                continue;
            }
            return error;
        }
        if (count == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return 0;
}

FileOperations& system_file_operations() {
    static SystemFileOperations operations;
    return operations;
}

void give_new_file_the_owner_and_mode_of(const std::string& path, const std::string& model) {
    struct stat old {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat directory {};
    if (fd >= 0 && ::stat(model.c_str(), &old) == 0) {
        // Root makes it its directory's, as every new file root makes here,
        // so that the folder's owner can use it whoever owns the model.
        if (::geteuid() == 0 && ::stat(directory_of(path).c_str(), &directory) == 0) {
            [[maybe_unused]] const int refused = ::fchown(fd, directory.st_uid, directory.st_gid);
        } else {
            take_over_owner(fd, {model, true, old.st_uid, old.st_gid, old.st_mode});
        }
        struct stat made {};
        const bool group_kept = ::fstat(fd, &made) == 0 && made.st_gid == old.st_gid;
        const mode_t mode = old.st_mode & 0777;
        ::fchmod(fd, group_kept ? mode : mode_for_another_group(mode));
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

void give_new_file_its_directory_owner(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        own_as_directory(fd, path);
        ::close(fd);
    }
}

}  // namespace korvaline
