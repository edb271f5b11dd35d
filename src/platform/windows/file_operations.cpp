#include "platform/file_operations.hpp"

#include <algorithm>
#include <array>

#include "core/failure.hpp"
#include "core/not_a_regular_file.hpp"
#include "platform/directory_names.hpp"
#include "platform/name_exists.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/access_list.hpp"
#include "platform/windows/interruption.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// The most characters of one part of a path.
constexpr std::size_t kLongestName = 255;

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

HANDLE handle_of(FileHandle file) {
    return as_handle(file);
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

// One move in one step, written through, so that the new name survives a
// power cut; what the move took away is no longer removed on an
// interruption. The error, or 0.
int move_once(const std::string& from, const std::string& to) {
    const InterruptionHeldBack held;
    if (!::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return last_system_error();
    }
    keep_on_interruption(from);
    return 0;
}

// Each step that makes a name has it removed on an interruption, until a
// step takes it away or the save is over; the step and that change are one,
// as the handler sees them.
class SystemFileOperations final : public FileOperations {
  public:
    SaveTarget look_at(const std::string& name) override {
        SaveTarget target{full_path(name)};
        // NUL, CON or COM1 stand in every directory, and none can be replaced.
        if (names_a_device(target.path)) {
            throw Failure("cannot replace " + name + ": " +
                          not_a_regular_file("a character device"));
        }
        const DWORD attributes = ::GetFileAttributesA(target.path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const int error = last_system_error();
            if (error != ERROR_FILE_NOT_FOUND) {
                fail_with_system_error("cannot replace " + name, error);
            }
            return target;
        }
        target.exists = true;
        target.mode = attributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            throw Failure("cannot replace " + name + ": " + not_a_regular_file("a directory"));
        }
        // Windows refuses to rename onto a read-only file, after the retries;
        // Wine would do it. Refused at once, before anything is made.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            fail_with_system_error("cannot replace " + name, ERROR_ACCESS_DENIED);
        }
        return target;
    }

    // A whole path may have at most MAX_PATH - 1 characters.
    NameRoom name_room(const std::string& path) override {
        const std::size_t separator = path.find_last_of("\\/");
        const std::size_t length =
            separator == std::string::npos ? path.size() : path.size() - separator - 1;
        const std::size_t directory = path.size() - length;
        return {length,
                directory >= MAX_PATH - 1 ? 0 : std::min(kLongestName, MAX_PATH - 1 - directory)};
    }

    std::vector<std::string> names_beside(const std::string& path) override {
        return korvaline::names_beside(path);
    }

    // Shared for deletion, so that an interruption can remove it while it is
    // open; its access list is read and set through this handle.
    int create_new(const std::string& path, bool /*replacing*/, FileHandle& file) override {
        if (path.size() >= MAX_PATH) {
            return ERROR_FILENAME_EXCED_RANGE;
        }
        const InterruptionHeldBack held;
        const HANDLE handle =
            ::CreateFileA(path.c_str(), GENERIC_WRITE | READ_CONTROL | WRITE_DAC, FILE_SHARE_DELETE,
                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return last_system_error();
        }
        remove_on_interruption(path);
        file = as_integer(handle);
        return 0;
    }

    bool already_exists(int error) const override {
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    }

    int write(FileHandle file, std::string_view bytes) override { return write_all(file, bytes); }

    int sync(FileHandle file) override {
        return ::FlushFileBuffers(handle_of(file)) ? 0 : last_system_error();
    }

    int close(FileHandle file) override {
        return ::CloseHandle(handle_of(file)) ? 0 : last_system_error();
    }

    int link(const std::string& existing, const std::string& new_name) override {
        const InterruptionHeldBack held;
        if (!::CreateHardLinkA(new_name.c_str(), existing.c_str(), nullptr)) {
            return last_system_error();
        }
        remove_on_interruption(new_name);
        return 0;
    }

    void keep(const std::string& path) noexcept override {
        const InterruptionHeldBack held;
        keep_on_interruption(path);
    }

    int rename_over(const std::string& from, const std::string& to) override {
        for (std::size_t retry = 0;; ++retry) {
            const int error = move_once(from, to);
            if (error == 0 || !may_pass(error) || retry == kPausesBeforeRetryMs.size()) {
                return error;
            }
            ::Sleep(kPausesBeforeRetryMs[retry]);
        }
    }

    void remove(const std::string& path) noexcept override {
        const InterruptionHeldBack held;
        ::DeleteFileA(path.c_str());
        keep_on_interruption(path);
    }

    // The moves are written through; a directory has nothing more to sync.
    int sync_directory(const std::string& /*path*/) override { return 0; }

    // The new file gets what users see of the old one before it takes its
    // name, so that there is no moment in which saint.ini lacks them. What
    // the system refuses here is not a failure: the new file keeps its own.
    // A file's group is a POSIX matter: there is nothing to tell.
    std::string settle_metadata(const SaveTarget& old, FileHandle file,
                                const std::string& /*name*/) override {
        if (!old.exists) {
            return "";
        }
        FILE_BASIC_INFO basic{};  // times of 0 are left as they are
        basic.FileAttributes = old.mode & kKeptAttributes;
        if (basic.FileAttributes != 0) {
            ::SetFileInformationByHandle(handle_of(file), FileBasicInfo, &basic, sizeof basic);
        }
        keep_access_list(old.path, handle_of(file));
        return "";
    }

    // A console event ends the program at once, through the handler.
    void hold_interruptions() override {}
    std::string interruption() override { return ""; }

    // What the save made and kept is the user's now.
    void release_interruptions() noexcept override {
        const InterruptionHeldBack held;
        keep_all_on_interruption();
    }
};

}  // namespace

int write_all(FileHandle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(handle_of(file), bytes.data(), chunk, &written, nullptr)) {
            return last_system_error();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

FileOperations& system_file_operations() {
    static SystemFileOperations operations;
    return operations;
}

void give_new_file_its_directory_owner(const std::string& /*path*/) {}

void give_new_file_the_owner_and_mode_of(const std::string& /*path*/,
                                         const std::string& /*model*/) {}

}  // namespace korvaline
