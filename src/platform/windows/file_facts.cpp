#include "platform/file_facts.hpp"

#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// A FILETIME counts 100 ns steps from 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;

EpochSeconds epoch_seconds(const FILETIME& time) {
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32U) | time.dwLowDateTime);
    const std::int64_t since_1970 = ticks - kTicksFrom1601To1970;
    // Whole seconds downwards, also before 1970.
    return since_1970 >= 0 ? since_1970 / kTicksPerSecond
                           : -((-since_1970 + kTicksPerSecond - 1) / kTicksPerSecond);
}

[[noreturn]] void fail_on(const std::string& called, int error) {
    fail_with_system_error("cannot read the size and time of " + called, error);
}

// The facts of the file a symbolic link points to. The handle is opened for
// its attributes alone, which reads nothing of the file.
FileFacts facts_through_link(const std::string& path, const std::string& called) {
    const HANDLE handle = ::CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fail_on(called, last_system_error());
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    const int error = last_system_error();
    ::CloseHandle(handle);
    if (!known) {
        fail_on(called, error);
    }
    return FileFacts{(static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32U) | info.nFileSizeLow,
                     epoch_seconds(info.ftLastWriteTime)};
}

}  // namespace

std::optional<FileFacts> file_facts(const std::string& path, const std::string& called) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) == 0) {
        const int error = last_system_error();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME ||
            error == ERROR_FILENAME_EXCED_RANGE) {
            return std::nullopt;
        }
        fail_on(called, error);
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return facts_through_link(path, called);
    }
    return FileFacts{(static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32U) | data.nFileSizeLow,
                     epoch_seconds(data.ftLastWriteTime)};
}

EpochSeconds current_time() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return epoch_seconds(now);
}

}  // namespace korvaline
