#include "platform/replacement_file.hpp"

#include <algorithm>
#include <array>

#include "core/failure.hpp"
#include "platform/directory_names.hpp"
#include "platform/name_exists.hpp"
#include "platform/not_a_regular_file.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/interruption.hpp"
#include "platform/windows/windows_api.hpp"
// With the settings <windows.h> was given above.
#include <aclapi.h>

namespace korvaline {

namespace {

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

// The most characters of one part of a path, and what a temporary name adds.
constexpr std::size_t kLongestName = 255;
constexpr std::size_t kTemporarySuffix = 7;

// What a temporary name beside `path` starts from: `path`, or, where the
// suffix would make its last part or the whole path too long, `path` with
// that part shortened, so that any name that can be created can be replaced.
std::string temporary_stem(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::size_t name_length =
        separator == std::string::npos ? path.size() : path.size() - separator - 1;
    const std::size_t directory_length = path.size() - name_length;
    if (directory_length + kTemporarySuffix + 1 >= MAX_PATH) {
        return path;
    }
    const std::size_t longest =
        std::min(kLongestName, MAX_PATH - 1 - directory_length) - kTemporarySuffix;
    return name_length <= longest ? path : path.substr(0, directory_length + longest);
}

// What of the old file's attributes a user sees and the new file keeps.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A virus scanner or the search indexer often opens a file that has just
// been written for a moment, and Windows then refuses the rename with one of
// these errors. The rename is tried again after each of these pauses, a
// second in all, as SQLite and Git for Windows do; a file held longer is a
// failure.
constexpr std::array<DWORD, 7> kPausesBeforeRetryMs = {10, 20, 40, 80, 160, 320, 400};

bool may_pass(int error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

// A file's access list (DACL), as read once.
class AccessList {
  public:
    explicit AccessList(const std::string& path) {
        read_ = ::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                        nullptr, nullptr, &list_, nullptr,
                                        &descriptor_) == ERROR_SUCCESS;
    }
    explicit AccessList(HANDLE file) {
        read_ = ::GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                  &list_, nullptr, &descriptor_) == ERROR_SUCCESS;
    }
    ~AccessList() { ::LocalFree(descriptor_); }
    AccessList(const AccessList&) = delete;
    AccessList& operator=(const AccessList&) = delete;

    bool read() const { return read_; }
    PACL list() const { return list_; }

    bool is_protected() const {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        return ::GetSecurityDescriptorControl(descriptor_, &control, &revision) &&
               (control & SE_DACL_PROTECTED) != 0;
    }

    bool same_as(const AccessList& other) const {
        return is_protected() == other.is_protected() && entries() == other.entries();
    }

  private:
    std::string_view entries() const {
        ACL_SIZE_INFORMATION size{};
        if (list_ == nullptr ||
            !::GetAclInformation(list_, &size, sizeof size, AclSizeInformation)) {
            return {};
        }
        return {reinterpret_cast<const char*>(list_), size.AclBytesInUse};
    }

    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    PACL list_ = nullptr;
    bool read_ = false;
};

}  // namespace

class ReplacementFile::Impl {
  public:
    explicit Impl(const std::string& name);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void write(std::string_view bytes);
    void commit(const BackupChoice& backup);

  private:
    void keep_old_file(const BackupChoice& backup);
    void check_target();
    void create_beside_target();
    void take_over_from_target() noexcept;
    void keep_access_list() noexcept;
    void put_in_place();
    int rename_onto_target();
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
    take_over_from_target();
}

ReplacementFile::Impl::~Impl() {
    discard();
}

void ReplacementFile::Impl::check_target() {
    // NUL, CON or COM1 stand in every directory, and none can be replaced.
    if (names_a_device(path_)) {
        throw Failure("cannot replace " + name_ + ": " + not_a_regular_file("a character device"));
    }
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
    // Windows refuses to rename onto a read-only file, after the retries;
    // Wine would do it. Refused at once, before anything is made.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        fail_with_system_error("cannot replace " + name_, ERROR_ACCESS_DENIED);
    }
}

void ReplacementFile::Impl::create_beside_target() {
    const std::string stem = temporary_stem(path_);
    for (unsigned attempt = 0; attempt < kMostAttempts; ++attempt) {
        const std::string candidate = stem + unique_suffix(attempt);
        if (candidate.size() >= MAX_PATH) {
            fail_with_system_error("cannot create a temporary file beside " + name_,
                                   ERROR_FILENAME_EXCED_RANGE);
        }
        const InterruptionHeldBack held;
        // Shared for deletion, so that an interruption can remove it while
        // it is open; its access list is read and set through this handle.
        handle_ =
            ::CreateFileA(candidate.c_str(), GENERIC_WRITE | READ_CONTROL | WRITE_DAC,
                          FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ != INVALID_HANDLE_VALUE) {
            new_path_ = candidate;
            remove_on_interruption(new_path_);
            return;
        }
        const int error = last_system_error();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            fail_with_system_error("cannot create a temporary file beside " + name_, error);
        }
    }
    fail_with_system_error("cannot create a temporary file beside " + name_, ERROR_FILE_EXISTS);
}

// The new file gets what users see of the old one before it takes its name,
// so that there is no moment in which saint.ini lacks them. What the system
// refuses here is not a failure: the new file keeps its own.
void ReplacementFile::Impl::take_over_from_target() noexcept {
    if (!target_exists_) {
        return;
    }
    FILE_BASIC_INFO basic{};  // times of 0 are left as they are
    basic.FileAttributes = target_attributes_ & kKeptAttributes;
    if (basic.FileAttributes != 0) {
        ::SetFileInformationByHandle(handle_, FileBasicInfo, &basic, sizeof basic);
    }
    keep_access_list();
}

// An access list set on saint.ini by hand is the one that differs from what
// a new file in its directory gets; one that does not differ (all inherited,
// or as Wine makes it up from the permission bits) is left alone.
void ReplacementFile::Impl::keep_access_list() noexcept {
    const AccessList old_list(path_);
    const AccessList new_list(handle_);
    if (!old_list.read() || !new_list.read() || old_list.same_as(new_list)) {
        return;
    }
    const SECURITY_INFORMATION what =
        DACL_SECURITY_INFORMATION |
        (old_list.is_protected() ? PROTECTED_DACL_SECURITY_INFORMATION
                                 : UNPROTECTED_DACL_SECURITY_INFORMATION);
    ::SetSecurityInfo(handle_, SE_FILE_OBJECT, what, nullptr, nullptr, old_list.list(), nullptr);
}

void ReplacementFile::Impl::discard() noexcept {
    if (handle_ != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    if (new_path_.empty()) {
        return;
    }
    const InterruptionHeldBack held;
    ::DeleteFileA(new_path_.c_str());
    remove_on_interruption("");
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

// A second link to the old file under the backup's name: through a new name
// beside it and a rename, so that an older backup is replaced whole.
void ReplacementFile::Impl::keep_old_file(const BackupChoice& backup) {
    const std::string backup_path = backup_name(path_, backup, names_beside(path_));
    const InterruptionHeldBack held;
    // A numbered backup takes a name that nothing has: where one turns out to
    // have it, the save fails rather than lose an older backup.
    if (is_numbered_backup(path_, backup, backup_path)) {
        if (!::CreateHardLinkA(backup_path.c_str(), path_.c_str(), nullptr)) {
            const int error = last_system_error();
            fail_with_system_error("cannot make the backup " + backup_path, error);
        }
        return;
    }
    int error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < kMostAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
        const std::string link_path =
            temporary_stem(path_) + unique_suffix(attempt + kMostAttempts);
        if (!::CreateHardLinkA(link_path.c_str(), path_.c_str(), nullptr)) {
            error = last_system_error();
            error = error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error;
            continue;
        }
        const bool moved = ::MoveFileExA(link_path.c_str(), backup_path.c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        error = moved ? 0 : last_system_error();
        // Gone after the move, but where the backup's name is already a link
        // to the old file, which a move may leave as it is (Wine does).
        ::DeleteFileA(link_path.c_str());
        if (moved) {
            return;
        }
    }
    fail_with_system_error("cannot make the backup " + backup_path, error);
}

void ReplacementFile::Impl::commit(const BackupChoice& backup) {
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
    if (backup.wanted() && target_exists_) {
        keep_old_file(backup);
    }
    put_in_place();
}

void ReplacementFile::Impl::put_in_place() {
    for (std::size_t retry = 0;; ++retry) {
        const int error = rename_onto_target();
        if (error == 0) {
            return;
        }
        if (!may_pass(error) || retry == kPausesBeforeRetryMs.size()) {
            fail_with_system_error("cannot replace " + name_, error);
        }
        ::Sleep(kPausesBeforeRetryMs[retry]);
    }
}

// One rename that replaces the old file, if any, in one step: saint.ini is
// the old file or the new one at every moment. Written through, so that the
// new name survives a power cut. The error, or 0.
int ReplacementFile::Impl::rename_onto_target() {
    const InterruptionHeldBack held;
    if (!::MoveFileExA(new_path_.c_str(), path_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return last_system_error();
    }
    remove_on_interruption("");
    new_path_.clear();
    return 0;
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

// A file's group is a POSIX matter: there is nothing to tell here.
const std::string& ReplacementFile::note() const {
    static const std::string kNothing;
    return kNothing;
}

}  // namespace korvaline
