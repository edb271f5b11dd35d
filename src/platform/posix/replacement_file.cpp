#include "platform/replacement_file.hpp"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <string_view>

#include "core/failure.hpp"
#include "platform/directory_names.hpp"
#include "platform/identity.hpp"
#include "platform/posix/file_kind.hpp"
#include "platform/standard_streams.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

constexpr int kMostLinksFollowed = 40;

// What the names of new files beside the target are made of.
constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The extended attribute that holds a file's access control list, and the
// most bytes a list of attribute names or one value may take on Linux.
constexpr std::string_view kAccessControlList = "system.posix_acl_access";
constexpr std::size_t kMostAttributeBytes = 64 * 1024;

// What the save leaves to its usual effect: signals that cannot be caught,
// those that stop or continue the program or are ignored by default, and the
// two the program ignores so that a failed write is reported as a failure.
constexpr std::array kSignalsLeftAlone = {SIGKILL, SIGSTOP, SIGTSTP,  SIGTTIN, SIGTTOU, SIGCONT,
                                          SIGCHLD, SIGURG,  SIGWINCH, SIGPIPE, SIGXFSZ};

bool ignored(int signal_number) {
    struct sigaction action {};
    ::sigaction(signal_number, nullptr, &action);
    return action.sa_handler == SIG_IGN;
}

// Every other signal ends the program by default. They are held back while
// the new file exists and until its directory is synced, so that none ends
// the program halfway through a step; the save looks for one that came
// meanwhile where it can still act on it. No handler is needed, and none can
// race the rename.
class InterruptionsHeld {
  public:
    InterruptionsHeld() = default;
    ~InterruptionsHeld() { release(); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

    void hold() {
        sigset_t held;
        sigfillset(&held);
        for (const int left_alone : kSignalsLeftAlone) {
            sigdelset(&held, left_alone);
        }
        ::sigprocmask(SIG_BLOCK, &held, &before_);
        holding_ = true;
    }

    // Delivers what came meanwhile, with its usual effect.
    void release() {
        if (holding_) {
            holding_ = false;
            ::sigprocmask(SIG_SETMASK, &before_, nullptr);
        }
    }

    // A signal that came while held and acts once released, or 0: one that
    // the caller of the program neither ignores nor holds back itself.
    int pending() const {
        sigset_t pending;
        sigemptyset(&pending);
        ::sigpending(&pending);
        for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
            if (sigismember(&pending, signal_number) == 1 &&
                sigismember(&before_, signal_number) == 0 && !ignored(signal_number)) {
                return signal_number;
            }
        }
        return 0;
    }

  private:
    sigset_t before_{};
    bool holding_ = false;
};

std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a name stands for once symbolic links are followed, and what is
// there now.
struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
};

Target follow_links(const std::string& name) {
    Target target{name};
    for (int links = 0;; ++links) {
        if (::lstat(target.path.c_str(), &target.info) != 0) {
            const int error = errno;
            if (error != ENOENT) {
                fail_with_system_error("cannot replace " + name, error);
            }
            return target;
        }
        if (!S_ISLNK(target.info.st_mode)) {
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

// What a temporary name adds to the name it starts from: ".XXXXXX".
constexpr std::size_t kTemporarySuffix = 7;

// What a temporary name beside `path` starts from: `path`, or, where the
// suffix would make its last part longer than the directory allows, `path`
// with that part shortened, so that any name that can be created can be
// replaced.
std::string temporary_stem(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t name_length =
        slash == std::string::npos ? path.size() : path.size() - slash - 1;
    const long most = ::pathconf(directory_of(path).c_str(), _PC_NAME_MAX);
    const auto longest = static_cast<std::size_t>(most > 0 ? most : NAME_MAX);
    if (longest <= kTemporarySuffix || name_length + kTemporarySuffix <= longest) {
        return path;
    }
    return path.substr(0, path.size() - (name_length + kTemporarySuffix - longest));
}

// `path` and a full stop and six letters drawn at random: a name for a new
// file beside it.
std::string name_beside(const std::string& path, std::random_device& random) {
    std::string name = path + ".";
    for (int letter = 0; letter < 6; ++letter) {
        name += kNameLetters[random() % kNameLetters.size()];
    }
    return name;
}

// A name beside `path` that nothing has yet, and the file made there with
// `mode`, whose rights the system grants as to any file it creates: the
// umask, or the directory's default access control list. Like mkostemp, but
// mkostemp's file starts as 0600, and a mode set afterwards overrides what
// a default list would have given.
int create_unique_beside(const std::string& path, mode_t mode, std::string& new_path) {
    std::random_device random;
    const std::string stem = temporary_stem(path);
    for (int tries = 0; tries < 1000; ++tries) {
        new_path = name_beside(stem, random);
        const int fd = ::open(new_path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// The mode for a new file whose group is not the old file's: the group gets
// no more than the old file gave others, since what the old file kept from
// everyone else must not open to another group.
mode_t mode_for_another_group(mode_t mode) {
    const mode_t others_as_group = (mode & S_IRWXO) << 3;
    return (mode & ~static_cast<mode_t>(S_IRWXG)) | (mode & others_as_group);
}

// An access control list as the kernel stores it in its extended attribute:
// a 4-byte version, then entries of a 2-byte tag, 2-byte permissions and a
// 4-byte id, little-endian.
constexpr std::size_t kListHeader = 4;
constexpr std::size_t kListEntry = 8;
constexpr unsigned kGroupEntry = 0x04;
constexpr unsigned kMaskEntry = 0x10;
constexpr unsigned kOthersEntry = 0x20;

unsigned entry_field(const char* entry, std::size_t at) {
    return static_cast<unsigned char>(entry[at]) |
           static_cast<unsigned>(static_cast<unsigned char>(entry[at + 1]) << 8);
}

// For a new file whose group is not the old file's, the list's entry for the
// file's group is cut to what the list gives others, as the mode's bits are
// without a list. Whether the list has a mask, which the mode's group bits
// then show.
bool fit_access_list_to_group(char* list, std::size_t length, bool group_kept) {
    unsigned others = 0;
    bool has_mask = false;
    for (std::size_t at = kListHeader; at + kListEntry <= length; at += kListEntry) {
        others = entry_field(list + at, 0) == kOthersEntry ? entry_field(list + at, 2) : others;
        has_mask = has_mask || entry_field(list + at, 0) == kMaskEntry;
    }
    for (std::size_t at = kListHeader; !group_kept && at + kListEntry <= length; at += kListEntry) {
        if (entry_field(list + at, 0) == kGroupEntry) {
            list[at + 2] = static_cast<char>(entry_field(list + at, 2) & others);
            list[at + 3] = 0;
        }
    }
    return has_mask;
}

// A second link to `path` under a name beside it that nothing has yet, given
// in `link_path`; the error, or 0.
int link_beside(const std::string& path, std::string& link_path) {
    std::random_device random;
    for (int tries = 0; tries < 1000; ++tries) {
        link_path = name_beside(temporary_stem(path), random);
        if (::link(path.c_str(), link_path.c_str()) == 0) {
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

}  // namespace

class ReplacementFile::Impl {
  public:
    explicit Impl(const std::string& name);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void write(std::string_view bytes);
    void commit(const BackupChoice& backup);
    const std::string& note() const { return note_; }

  private:
    void keep_old_file(const BackupChoice& backup);
    void create_beside_target(bool target_exists);
    void discard() noexcept;
    void take_over_permissions(const Target& target);
    mode_t mode_for_group(const Target& target);
    void take_over_attributes(const std::string& old_path);
    int copy_attribute(const std::string& old_path, const std::string& attribute);
    void end_if_interrupted();
    int sync_directory();

    std::string name_;
    std::string path_;
    std::string new_path_;
    int fd_ = -1;
    bool target_exists_ = false;
    bool new_file_exists_ = false;
    bool group_kept_ = true;
    bool mode_shows_mask_ = false;  // the old file's access control list has a mask
    std::string note_;
    InterruptionsHeld interruptions_;
};

ReplacementFile::Impl::Impl(const std::string& name) : name_(name) {
    const Target target = follow_links(name);
    if (target.exists) {
        if (!S_ISREG(target.info.st_mode)) {
            throw Failure("cannot replace " + name + ": " +
                          not_a_regular_file(target.info.st_mode));
        }
        // Renaming would succeed on a read-only file; its owner's refusal holds.
        if (::access(target.path.c_str(), W_OK) != 0) {
            const int error = errno;
            fail_with_system_error("cannot replace " + name, error);
        }
    }
    path_ = target.path;
    target_exists_ = target.exists;
    create_beside_target(target.exists);
    if (target.exists) {
        try {
            take_over_permissions(target);
        } catch (...) {
            discard();
            throw;
        }
    }
}

ReplacementFile::Impl::~Impl() {
    discard();
}

void ReplacementFile::Impl::discard() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (new_file_exists_) {
        ::unlink(new_path_.c_str());
        new_file_exists_ = false;
    }
    interruptions_.release();
}

void ReplacementFile::Impl::create_beside_target(bool target_exists) {
    interruptions_.hold();
    // Where an old file is replaced, the new one opens to no one else until
    // it has the old one's rights; a new one gets what any new file gets.
    fd_ = create_unique_beside(path_, target_exists ? 0600 : 0666, new_path_);
    if (fd_ < 0) {
        const int error = errno;
        fail_with_system_error("cannot create a temporary file beside " + name_, error);
    }
    new_file_exists_ = true;
}

void ReplacementFile::Impl::take_over_permissions(const Target& target) {
    // Keeps the file usable by its owner after a run as root. Anyone else
    // may not give a file away, but may keep its group when they belong to
    // it, so that a group's shared file stays the group's; a refusal of both
    // leaves the user's own.
    if (target.info.st_uid != ::geteuid() || target.info.st_gid != ::getegid()) {
        if (::fchown(fd_, target.info.st_uid, target.info.st_gid) != 0) {
            [[maybe_unused]] const int refused =
                ::fchown(fd_, static_cast<uid_t>(-1), target.info.st_gid);
        }
    }
    struct stat made {};
    group_kept_ = ::fstat(fd_, &made) == 0 && made.st_gid == target.info.st_gid;
    // Before the mode: where the old file has an access control list, its
    // group bits are the list's mask, which alone would open the new file to
    // the whole group, if only for a moment.
    take_over_attributes(target.path);
    if (!group_kept_) {
        note_ = "the new " + name_ + " cannot keep the old one's group " +
                group_name(target.info.st_gid) + "; it belongs to " + group_name(made.st_gid) +
                ", which gets no more access to it than others had";
    }
    if (::fchmod(fd_, mode_for_group(target)) != 0) {
        const int error = errno;
        fail_with_system_error("cannot set the permissions of the new " + name_, error);
    }
}

// The old file's mode, but where the new file's group is another and no
// access control list's mask stands in the group's bits.
mode_t ReplacementFile::Impl::mode_for_group(const Target& target) {
    const mode_t mode = target.info.st_mode & 07777;
    return group_kept_ || mode_shows_mask_ ? mode : mode_for_another_group(mode);
}

// The access control list comes along, or the save fails, since the new file
// would otherwise give others more than the old one did. The user's own
// attributes (user.*) come along where the file system takes them; the other
// kinds belong to the system and are not copied.
void ReplacementFile::Impl::take_over_attributes(const std::string& old_path) {
    // Left uncleared, so that only what the system fills takes memory.
    const auto buffer = std::make_unique_for_overwrite<char[]>(kMostAttributeBytes);
    const ssize_t length = ::listxattr(old_path.c_str(), buffer.get(), kMostAttributeBytes);
    const int error = length < 0 ? errno : 0;
    // A file system without extended attributes has no access control lists.
    if (error == ENOTSUP) {
        return;
    }
    if (error != 0) {
        fail_with_system_error("cannot read the access control list of " + name_, error);
    }
    const std::string names(buffer.get(), static_cast<std::size_t>(length));
    bool has_list = false;
    for (std::size_t start = 0; start < names.size();) {
        const std::string attribute(names.c_str() + start);
        start += attribute.size() + 1;
        if (attribute != kAccessControlList && !attribute.starts_with("user.")) {
            continue;
        }
        has_list = has_list || attribute == kAccessControlList;
        const int copy_error = copy_attribute(old_path, attribute);
        if (copy_error != 0 && attribute == kAccessControlList) {
            fail_with_system_error(
                "cannot give the new " + name_ + " the access control list of the old one",
                copy_error);
        }
    }
    // The new file, made in the directory, may have been given its default
    // list; the old file had none, and its mode alone says who may use it.
    if (!has_list && ::fremovexattr(fd_, kAccessControlList.data()) != 0 && errno != ENODATA &&
        errno != ENOTSUP) {
        fail_with_system_error(
            "cannot give the new " + name_ + " the access control list of the old one", errno);
    }
}

// The error that kept the attribute from being copied, or 0.
int ReplacementFile::Impl::copy_attribute(const std::string& old_path,
                                          const std::string& attribute) {
    const auto value = std::make_unique_for_overwrite<char[]>(kMostAttributeBytes);
    const ssize_t length =
        ::getxattr(old_path.c_str(), attribute.c_str(), value.get(), kMostAttributeBytes);
    if (length >= 0 && attribute == kAccessControlList) {
        mode_shows_mask_ =
            fit_access_list_to_group(value.get(), static_cast<std::size_t>(length), group_kept_);
    }
    if (length < 0 || ::fsetxattr(fd_, attribute.c_str(), value.get(),
                                  static_cast<std::size_t>(length), 0) != 0) {
        return errno;
    }
    return 0;
}

void ReplacementFile::Impl::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            const int error = count < 0 ? errno : EIO;
            fail_with_system_error("cannot write " + name_, error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

// A signal that came while the new file was made ends the program here, the
// last moment at which the old file can stay: the new one goes first.
void ReplacementFile::Impl::end_if_interrupted() {
    const int signal_number = interruptions_.pending();
    if (signal_number != 0) {
        discard();
        // Reached only where something handles that signal and goes on.
        throw Failure("cannot replace " + name_ + ": interrupted: " + ::strsignal(signal_number));
    }
}

// A second link to the old file under the backup's name: through a new name
// beside it and a rename, so that an older backup is replaced whole.
void ReplacementFile::Impl::keep_old_file(const BackupChoice& backup) {
    const std::string backup_path = backup_name(path_, backup, names_beside(path_));
    // A numbered backup takes a name that nothing has: where one turns out to
    // have it, the save fails rather than lose an older backup.
    if (is_numbered_backup(path_, backup, backup_path)) {
        if (::link(path_.c_str(), backup_path.c_str()) != 0) {
            const int error = errno;
            fail_with_system_error("cannot make the backup " + backup_path, error);
        }
        return;
    }
    std::string link_path;
    const int error = link_beside(path_, link_path);
    if (error != 0) {
        fail_with_system_error("cannot make the backup " + backup_path, error);
    }
    const int rename_error = ::rename(link_path.c_str(), backup_path.c_str()) == 0 ? 0 : errno;
    // Gone after the rename, but where the backup's name is already a link
    // to the old file, which rename leaves as it is.
    ::unlink(link_path.c_str());
    if (rename_error != 0) {
        fail_with_system_error("cannot make the backup " + backup_path, rename_error);
    }
}

void ReplacementFile::Impl::commit(const BackupChoice& backup) {
    if (::fsync(fd_) != 0) {
        const int error = errno;
        fail_with_system_error("cannot sync " + name_, error);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        fail_with_system_error("cannot close " + name_, error);
    }
    end_if_interrupted();
    if (backup.wanted() && target_exists_) {
        keep_old_file(backup);
    }
    if (::rename(new_path_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        fail_with_system_error("cannot replace " + name_, error);
    }
    new_file_exists_ = false;
    const int sync_error = sync_directory();
    const std::string unsynced =
        name_ + " has been written but may not survive a crash: cannot sync its directory";
    if (const int signal_number = interruptions_.pending(); signal_number != 0) {
        // The last word before that signal ends the program as it is
        // released: the new file is in place.
        const std::string what = sync_error != 0
                                     ? unsynced + ": " + system_error_text(sync_error)
                                     : name_ + " has been written, but the program was " +
                                           "interrupted: " + ::strsignal(signal_number);
        write_standard_error("korvaline: " + what + "\n");
    }
    interruptions_.release();
    if (sync_error != 0) {
        fail_with_system_error(unsynced, sync_error);
    }
}

// The error that kept the directory from being synced, or 0.
int ReplacementFile::Impl::sync_directory() {
    const std::string directory = directory_of(path_);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = fd < 0 ? errno : 0;
    // EINVAL: a file system that cannot sync a directory; nothing more can
    // be done there.
    if (fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL) {
        error = errno;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return error;
}

ReplacementFile::ReplacementFile(const std::string& target)
    : impl_(std::make_unique<Impl>(target)) {}

ReplacementFile::~ReplacementFile() = default;

void ReplacementFile::write(std::string_view bytes) {
    impl_->write(bytes);
}

void ReplacementFile::commit(const BackupChoice& backup) {
    impl_->commit(backup);
}

const std::string& ReplacementFile::note() const {
    return impl_->note();
}

}  // namespace korvaline
