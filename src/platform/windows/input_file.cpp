#include "platform/input_file.hpp"

#include <utility>

#include "core/failure.hpp"
#include "platform/not_a_regular_file.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// What stands behind an open handle, when it is not a regular file; empty
// for a regular file.
std::string kind_unless_regular(HANDLE handle) {
    switch (::GetFileType(handle)) {
        case FILE_TYPE_DISK: {
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(handle, &info) &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                return "a directory";
            }
            return "";
        }
        case FILE_TYPE_CHAR:
            return "a character device";
        case FILE_TYPE_PIPE:
            return "a pipe";
        default:
            return "something else";
    }
}

}  // namespace

InputFile InputFile::standard_input(std::string name) {
    return InputFile(as_integer(::GetStdHandle(STD_INPUT_HANDLE)), false, std::move(name));
}

InputFile InputFile::open_regular_file(const std::string& path, const std::string& name) {
    // Backup semantics let a directory be opened, so that it is refused by
    // what it is rather than by a bare "Access is denied".
    const HANDLE handle = ::CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = last_system_error();
        fail_with_system_error("cannot open " + name, error);
    }
    InputFile file(as_integer(handle), true, name);
    const std::string kind = kind_unless_regular(handle);
    if (!kind.empty()) {
        throw Failure("cannot read " + name + ": " + not_a_regular_file(kind));
    }
    return file;
}

std::optional<InputFile> InputFile::open_if_present(const std::string& path,
                                                    const std::string& name) {
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const int error = last_system_error();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
    }
    return open_regular_file(path, name);
}

InputFile::~InputFile() {
    if (owned_) {
        ::CloseHandle(as_handle(handle_));
    }
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD count = 0;
    if (::ReadFile(as_handle(handle_), buffer, wanted, &count, nullptr)) {
        return count;
    }
    const DWORD error = ::GetLastError();
    // A pipe whose writer has finished ends the input; it is no error.
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) {
        return 0;
    }
    fail_with_system_error("cannot read " + name_, static_cast<int>(error));
}

}  // namespace korvaline
