#include "platform/append_file.hpp"

#include <utility>

#include "core/failure.hpp"
#include "platform/name_exists.hpp"
#include "core/not_a_regular_file.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// FILE_APPEND_DATA alone: every write lands at the end, whoever else
// writes. A reparse point (a symbolic link, a junction) is opened as itself,
// not followed, and then refused.
HANDLE open_to_append(const std::string& path, DWORD disposition) {
    return ::CreateFileA(
        path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What the handle stands for, when it is not a regular file: empty for one.
std::string kind_unless_regular(HANDLE handle) {
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return "a device or a pipe";
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        return "";
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return "a symbolic link";
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "a directory";
    }
    return "";
}

HANDLE regular_file(HANDLE handle, const std::string& name) {
    const std::string kind = kind_unless_regular(handle);
    if (!kind.empty()) {
        ::CloseHandle(handle);
        throw Failure("cannot open " + name + ": " +
                      (kind == "a symbolic link" ? "it is a symbolic link, which is not followed"
                                                 : not_a_regular_file(kind)));
    }
    return handle;
}

}  // namespace

std::optional<AppendFile> AppendFile::open_existing(const std::string& path,
                                                    const std::string& name) {
    if (names_a_device(path)) {
        throw Failure("cannot open " + name + ": " + not_a_regular_file("a character device"));
    }
    const HANDLE handle = open_to_append(path, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = last_system_error();
        if (error == static_cast<int>(ERROR_FILE_NOT_FOUND)) {
            return std::nullopt;
        }
        fail_with_system_error("cannot open " + name, error);
    }
    return AppendFile(as_integer(regular_file(handle, name)), name);
}

// On Windows a new file takes the access list its directory passes on, as
// saint.ini made there does.
AppendFile AppendFile::create_like(const std::string& path, const std::string& /*like*/,
                                   const std::string& name) {
    const HANDLE handle = open_to_append(path, CREATE_NEW);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = last_system_error();
        if (error == static_cast<int>(ERROR_FILE_EXISTS)) {
            if (std::optional<AppendFile> made_meanwhile = open_existing(path, name)) {
                return std::move(*made_meanwhile);
            }
        }
        fail_with_system_error("cannot open " + name, error);
    }
    return AppendFile(as_integer(handle), name);
}

AppendFile::AppendFile(std::intptr_t handle, std::string name)
    : handle_(handle), name_(std::move(name)) {}

AppendFile::AppendFile(AppendFile&& other) noexcept
    : handle_(std::exchange(other.handle_, as_integer(INVALID_HANDLE_VALUE))),
      name_(std::move(other.name_)) {}

AppendFile::~AppendFile() {
    if (as_handle(handle_) != INVALID_HANDLE_VALUE) {
        ::CloseHandle(as_handle(handle_));
    }
}

void AppendFile::append(std::string_view record) {
    DWORD written = 0;
    if (!::WriteFile(as_handle(handle_), record.data(), static_cast<DWORD>(record.size()), &written,
                     nullptr)) {
        const int error = last_system_error();
        fail_with_system_error("cannot write " + name_, error);
    }
    if (written != record.size()) {
        throw Failure("cannot write " + name_ + ": only " + std::to_string(written) + " of " +
                      std::to_string(record.size()) + " bytes were written");
    }
}

}  // namespace korvaline
