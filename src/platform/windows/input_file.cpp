#include "platform/input_file.hpp"

#include <algorithm>
#include <utility>

#include "core/failure.hpp"
#include "platform/name_exists.hpp"
#include "core/not_a_regular_file.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/code_pages.hpp"
#include "platform/windows/interruption.hpp"
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

// After a read that found no bytes, with its error (ERROR_HANDLE_EOF where
// it failed not): whether the input has ended. A pipe whose writer has
// finished is no error. Ctrl-C may have cut the read of a console or a pipe
// short (Wine's read of a pipe returns nothing when SIGINT arrives), and its
// handler must get the time to end the program; a Ctrl-C that the program
// was told to ignore only cut it short, and the read goes on.
bool input_has_ended(HANDLE handle, DWORD error, const std::string& name) {
    if (error != ERROR_HANDLE_EOF && error != ERROR_BROKEN_PIPE &&
        error != ERROR_OPERATION_ABORTED) {
        fail_with_system_error("cannot read " + name, static_cast<int>(error));
    }
    const DWORD type = ::GetFileType(handle);
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
        let_pending_interruption_arrive();
    }
    return error != ERROR_OPERATION_ABORTED;
}

// Backup semantics let a directory be opened, so that it is refused by what
// it is rather than by a bare "Access is denied".
HANDLE open_for_reading(const std::string& path, DWORD more_flags = 0) {
    return ::CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS | more_flags, nullptr);
}

void require_regular_file(HANDLE handle, const std::string& name) {
    const std::string kind = kind_unless_regular(handle);
    if (!kind.empty()) {
        throw Failure("cannot read " + name + ": " + not_a_regular_file(kind));
    }
}

}  // namespace

InputFile InputFile::standard_input(std::string name) {
    return InputFile(as_integer(::GetStdHandle(STD_INPUT_HANDLE)), false, std::move(name));
}

InputFile InputFile::open_regular_file(const std::string& path, const std::string& name) {
    // CON, PRN or LPT1 would be opened as what they stand for, or not at all.
    if (names_a_device(path)) {
        throw Failure("cannot read " + name + ": " + not_a_regular_file("a character device"));
    }
    const HANDLE handle = open_for_reading(path);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = last_system_error();
        fail_with_system_error("cannot open " + name, error);
    }
    InputFile file(as_integer(handle), true, name);
    require_regular_file(handle, name);
    return file;
}

std::optional<InputFile> InputFile::open_if_present(const std::string& path,
                                                    const std::string& name, std::string* refusal) {
    if (names_a_device(path)) {
        return open_regular_file(path, name);
    }
    // Where the file may not be read, its attributes often may: only the
    // opening tells.
    const HANDLE handle = open_for_reading(path);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = last_system_error();
        // A symbolic link to nothing is there itself: what it stands for is
        // missing, and that is no absence.
        if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) &&
            ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return std::nullopt;
        }
        if (error == ERROR_ACCESS_DENIED && refusal != nullptr) {
            *refusal = system_error_text(error);
            return std::nullopt;
        }
        fail_with_system_error("cannot open " + name, error);
    }
    InputFile file(as_integer(handle), true, name);
    require_regular_file(handle, name);
    return file;
}

std::optional<InputFile> InputFile::open_if_present_unless_link(const std::string& path,
                                                                const std::string& name) {
    // A reparse point (a symbolic link, a junction) is opened as itself.
    const HANDLE handle = open_for_reading(path, FILE_FLAG_OPEN_REPARSE_POINT);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = last_system_error();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        fail_with_system_error("cannot open " + name, error);
    }
    InputFile file(as_integer(handle), true, name);
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(handle, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw Failure("cannot open " + name + ": it is a symbolic link, which is not followed");
    }
    require_regular_file(handle, name);
    return file;
}

InputFile::~InputFile() {
    if (owned_) {
        ::CloseHandle(as_handle(handle_));
    }
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    const HANDLE handle = as_handle(handle_);
    while (converted_.empty()) {
        const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD count = 0;
        const bool done = ::ReadFile(handle, buffer, wanted, &count, nullptr) != 0;
        if (count == 0) {
            if (input_has_ended(handle, done ? ERROR_HANDLE_EOF : ::GetLastError(), name_)) {
                return 0;
            }
            continue;
        }
        const UINT typed = typed_code_page(handle);
        if (typed == 0) {
            return count;
        }
        converted_ = in_code_page(std::string_view(buffer, count), typed, ::GetACP());
    }
    // Converted text may be longer than the bytes read.
    const std::size_t handed = std::min(size, converted_.size());
    converted_.copy(buffer, handed);
    converted_.erase(0, handed);
    return handed;
}

}  // namespace korvaline
