#include "platform/replacement_file.hpp"

#include <array>

#include "core/failure.hpp"
#include "platform/not_a_regular_file.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// What the console control handler may touch. It runs on a thread of its
// own, so the new file's name and existence change only under this lock.
SRWLOCK g_lock = SRWLOCK_INIT;
std::array<char, MAX_PATH + 1> g_new_file_path{};
bool g_new_file_exists = false;

class Locked {
  public:
    Locked() { ::AcquireSRWLockExclusive(&g_lock); }
    ~Locked() { ::ReleaseSRWLockExclusive(&g_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

// Ctrl-C, Ctrl-Break, a closed console window, a logoff or a shutdown: the
// new file goes, then the event takes its usual course and ends the program.
BOOL WINAPI remove_new_file(DWORD /*event*/) {
    const Locked locked;
    if (g_new_file_exists) {
        ::DeleteFileA(g_new_file_path.data());
        g_new_file_exists = false;
    }
    return FALSE;
}

std::string full_path(const std::string& name) {
    std::array<char, MAX_PATH> path{};
    const DWORD length =
        ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
    if (length == 0) {
        const int error = last_system_error();
        fail_with_system_error("cannot replace " + name, error);
    }
    if (length >= path.size()) {
        fail_with_system_error("cannot replace " + name, ERROR_FILENAME_EXCED_RANGE);
    }
    return std::string(path.data(), length);
}

// Six letters that make the new file's name unlikely to be taken already.
std::string unique_suffix(unsigned attempt) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz012345";
    unsigned long long seed =
        ::GetTickCount64() * 2654435761u + ::GetCurrentProcessId() + attempt * 40503u;
    std::string suffix(".");
    for (int i = 0; i < 6; ++i) {
        suffix.push_back(kLetters[seed % 32]);
        seed /= 32;
    }
    return suffix;
}

constexpr unsigned kMostAttempts = 100;

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
    void check_target();
    void create_beside_target();
    void put_in_place();
    void keep_attributes() noexcept;
    void discard() noexcept;

    std::string name_;
    std::string path_;
    std::string new_path_;
    bool target_exists_ = false;
    DWORD target_attributes_ = 0;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

ReplacementFile::Impl::Impl(const std::string& name) : name_(name), path_(full_path(name)) {
    check_target();
    create_beside_target();
}

ReplacementFile::Impl::~Impl() {
    discard();
}

void ReplacementFile::Impl::check_target() {
    const DWORD attributes = ::GetFileAttributesA(path_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const int error = last_system_error();
        if (error != ERROR_FILE_NOT_FOUND) {
            fail_with_system_error("cannot replace " + name_, error);
        }
        return;
    }
    target_exists_ = true;
    target_attributes_ = attributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw Failure("cannot replace " + name_ + ": " + not_a_regular_file("a directory"));
    }
    // Windows refuses to replace a read-only file, but a rename would do it.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        fail_with_system_error("cannot replace " + name_, ERROR_ACCESS_DENIED);
    }
}

void ReplacementFile::Impl::create_beside_target() {
    for (unsigned attempt = 0; attempt < kMostAttempts; ++attempt) {
        const std::string candidate = path_ + unique_suffix(attempt);
        if (candidate.size() >= g_new_file_path.size()) {
            fail_with_system_error("cannot create a temporary file beside " + name_,
                                   ERROR_FILENAME_EXCED_RANGE);
        }
        const Locked locked;
        // Shared for deletion, so that the control handler can remove it
        // while it is open.
        handle_ = ::CreateFileA(candidate.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ != INVALID_HANDLE_VALUE) {
            new_path_ = candidate;
            candidate.copy(g_new_file_path.data(), candidate.size());
            g_new_file_path[candidate.size()] = '\0';
            g_new_file_exists = true;
            ::SetConsoleCtrlHandler(remove_new_file, TRUE);
            return;
        }
        const int error = last_system_error();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            fail_with_system_error("cannot create a temporary file beside " + name_, error);
        }
    }
    fail_with_system_error("cannot create a temporary file beside " + name_, ERROR_FILE_EXISTS);
}

void ReplacementFile::Impl::discard() noexcept {
    if (handle_ != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    if (new_path_.empty()) {
        return;
    }
    const Locked locked;
    if (g_new_file_exists) {
        ::DeleteFileA(new_path_.c_str());
        g_new_file_exists = false;
    }
    ::SetConsoleCtrlHandler(remove_new_file, FALSE);
    new_path_.clear();
}

void ReplacementFile::Impl::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(handle_, bytes.data(), chunk, &written, nullptr)) {
            const int error = last_system_error();
            fail_with_system_error("cannot write " + name_, error);
        }
        if (written == 0) {
            fail_with_system_error("cannot write " + name_, ERROR_WRITE_FAULT);
        }
        bytes.remove_prefix(written);
    }
}

void ReplacementFile::Impl::commit() {
    if (!::FlushFileBuffers(handle_)) {
        const int error = last_system_error();
        fail_with_system_error("cannot sync " + name_, error);
    }
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(handle)) {
        const int error = last_system_error();
        fail_with_system_error("cannot close " + name_, error);
    }
    put_in_place();
}

void ReplacementFile::Impl::put_in_place() {
    const Locked locked;
    if (!g_new_file_exists) {
        // The control handler has removed it: the program is ending.
        fail_with_system_error("cannot replace " + name_, ERROR_OPERATION_ABORTED);
    }
    // ReplaceFileA keeps the old file's attributes, security and creation
    // time; a plain move is for a file that is new.
    bool replaced = false;
    int error = 0;
    if (target_exists_) {
        replaced = ::ReplaceFileA(path_.c_str(), new_path_.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                                  nullptr, nullptr);
        error = replaced ? 0 : last_system_error();
    }
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file has gone and the new
    // one has not yet taken its name, so the move below must complete it.
    if (!target_exists_ || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        replaced = ::MoveFileExA(new_path_.c_str(), path_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        error = replaced ? 0 : last_system_error();
    }
    if (!replaced) {
        fail_with_system_error("cannot replace " + name_, error);
    }
    g_new_file_exists = false;
    ::SetConsoleCtrlHandler(remove_new_file, FALSE);
    new_path_.clear();
    keep_attributes();
}

// ReplaceFileA should carry a hidden or system attribute over, but not every
// system does (Wine does not); a refusal to set them is not a failure, as the
// file has been written.
void ReplacementFile::Impl::keep_attributes() noexcept {
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD wanted = target_attributes_ & kKept;
    const DWORD now = ::GetFileAttributesA(path_.c_str());
    if (wanted != 0 && now != INVALID_FILE_ATTRIBUTES && (now & wanted) != wanted) {
        ::SetFileAttributesA(path_.c_str(), now | wanted);
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
