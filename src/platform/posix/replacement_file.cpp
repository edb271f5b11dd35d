#include "platform/replacement_file.hpp"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "core/failure.hpp"
#include "platform/posix/file_kind.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

constexpr std::array<int, 4> kInterruptingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kMostLinksFollowed = 40;

// What the signal handler may touch: the name of the new file while it
// exists, in storage that needs no allocation.
std::array<char, PATH_MAX> g_new_file_path{};
volatile sig_atomic_t g_new_file_exists = 0;

extern "C" void remove_new_file_and_end(int signal_number) {
    if (g_new_file_exists != 0) {
        ::unlink(g_new_file_path.data());
        g_new_file_exists = 0;
    }
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    ::sigaction(signal_number, &default_action, nullptr);
    // Delivered once the handler returns, now with its default effect, so
    // the shell sees the program ended by this signal.
    ::raise(signal_number);
}

// The interrupting signals held back while the new file comes into being or
// goes into place, so that the handler never sees half of either step.
class SignalsHeldBack {
  public:
    SignalsHeldBack() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal_number : kInterruptingSignals) {
            sigaddset(&held, signal_number);
        }
        ::sigprocmask(SIG_BLOCK, &held, &before_);
    }
    ~SignalsHeldBack() { ::sigprocmask(SIG_SETMASK, &before_, nullptr); }
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

  private:
    sigset_t before_;
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

mode_t mode_of_new_files() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

class ReplacementFile::Impl {
  public:
    explicit Impl(const std::string& name);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void write(std::string_view bytes);
    void commit();

  private:
    void create_beside_target();
    void discard() noexcept;
    void take_over_permissions(const Target& target);
    void catch_interruptions();
    void restore_interruptions();
    void sync_directory();

    std::string name_;
    std::string path_;
    std::string new_path_;
    int fd_ = -1;
    bool new_file_exists_ = false;
    std::array<struct sigaction, kInterruptingSignals.size()> previous_{};
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
    create_beside_target();
    try {
        take_over_permissions(target);
    } catch (...) {
        discard();
        throw;
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
        const SignalsHeldBack held;
        ::unlink(new_path_.c_str());
        new_file_exists_ = false;
        g_new_file_exists = 0;
        restore_interruptions();
    }
}

void ReplacementFile::Impl::create_beside_target() {
    new_path_ = path_ + ".XXXXXX";
    if (new_path_.size() >= g_new_file_path.size()) {
        fail_with_system_error("cannot create a temporary file beside " + name_, ENAMETOOLONG);
    }
    const SignalsHeldBack held;
    fd_ = ::mkostemp(new_path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        fail_with_system_error("cannot create a temporary file beside " + name_, error);
    }
    new_file_exists_ = true;
    std::memcpy(g_new_file_path.data(), new_path_.c_str(), new_path_.size() + 1);
    g_new_file_exists = 1;
    catch_interruptions();
}

void ReplacementFile::Impl::take_over_permissions(const Target& target) {
    mode_t mode = mode_of_new_files();
    if (target.exists) {
        mode = target.info.st_mode & 07777;
        // Keeps the file usable by its owner after a run as root. Anyone
        // else may not give a file away, but may keep its group when they
        // belong to it, so that a group's shared file stays the group's; a
        // refusal of both leaves the user's own.
        if (target.info.st_uid != ::geteuid() || target.info.st_gid != ::getegid()) {
            if (::fchown(fd_, target.info.st_uid, target.info.st_gid) != 0) {
                [[maybe_unused]] const int refused =
                    ::fchown(fd_, static_cast<uid_t>(-1), target.info.st_gid);
            }
        }
    }
    if (::fchmod(fd_, mode) != 0) {
        const int error = errno;
        fail_with_system_error("cannot set the permissions of the new " + name_, error);
    }
}

void ReplacementFile::Impl::catch_interruptions() {
    struct sigaction action {};
    action.sa_handler = remove_new_file_and_end;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kInterruptingSignals.size(); ++i) {
        ::sigaction(kInterruptingSignals[i], nullptr, &previous_[i]);
        // A signal the caller ignores (nohup) stays ignored.
        if (previous_[i].sa_handler != SIG_IGN) {
            ::sigaction(kInterruptingSignals[i], &action, nullptr);
        }
    }
}

void ReplacementFile::Impl::restore_interruptions() {
    for (std::size_t i = 0; i < kInterruptingSignals.size(); ++i) {
        ::sigaction(kInterruptingSignals[i], &previous_[i], nullptr);
    }
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

void ReplacementFile::Impl::commit() {
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
    {
        const SignalsHeldBack held;
        if (::rename(new_path_.c_str(), path_.c_str()) != 0) {
            const int error = errno;
            fail_with_system_error("cannot replace " + name_, error);
        }
        new_file_exists_ = false;
        g_new_file_exists = 0;
        restore_interruptions();
    }
    sync_directory();
}

void ReplacementFile::Impl::sync_directory() {
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
    if (error != 0) {
        fail_with_system_error(
            name_ + " has been written but may not survive a crash: cannot sync its directory",
            error);
    }
}

ReplacementFile::ReplacementFile(const std::string& target)
    : impl_(std::make_unique<Impl>(target)) {}

ReplacementFile::~ReplacementFile() = default;

void ReplacementFile::write(std::string_view bytes) {
    impl_->write(bytes);
}

void ReplacementFile::commit() {
    impl_->commit();
}

}  // namespace korvaline
