#include "platform/file_handles.hpp"

#include "platform/name_exists.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/code_pages.hpp"
#include "platform/windows/interruption.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

bool follows_links(OpenFor purpose) {
    return purpose == OpenFor::reading;
}

// Backup semantics let a directory be opened, so that it is refused by what
// it is rather than by a bare "Access is denied". FILE_APPEND_DATA alone:
// every write lands at the end, whoever else writes. A reparse point (a
// symbolic link, a junction) is opened as itself where links are not
// followed, and then refused.
HANDLE open_handle(const std::string& path, OpenFor purpose) {
    const bool reading = purpose == OpenFor::reading || purpose == OpenFor::reading_unless_link;
    const DWORD access = reading ? GENERIC_READ : FILE_APPEND_DATA | SYNCHRONIZE;
    const DWORD disposition = purpose == OpenFor::creating_to_append ? CREATE_NEW : OPEN_EXISTING;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS |
                        (follows_links(purpose) ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return ::CreateFileA(path.c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         disposition, flags, nullptr);
}

// What stands behind an open handle that is not a file on a disk.
const char* kind_of_device(DWORD type, OpenFor purpose) {
    if (purpose == OpenFor::appending) {
        return "a device or a pipe";
    }
    switch (type) {
        case FILE_TYPE_CHAR:
            return "a character device";
        case FILE_TYPE_PIPE:
            return "a pipe";
        default:
            return "something else";
    }
}

Opening not_opened(const std::string& path, OpenFor purpose, int error) {
    const bool not_found = error == static_cast<int>(ERROR_FILE_NOT_FOUND) ||
                           error == static_cast<int>(ERROR_PATH_NOT_FOUND);
    // A symbolic link to nothing is there itself: what it stands for is
    // missing, and that is no absence.
    if (not_found && (purpose != OpenFor::reading ||
                      ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)) {
        return {Opened::absent, 0, error, ""};
    }
    if (error == static_cast<int>(ERROR_FILE_EXISTS)) {
        return {Opened::already_there, 0, error, ""};
    }
    if (error == static_cast<int>(ERROR_ACCESS_DENIED)) {
        return {Opened::refused, 0, error, ""};
    }
    return {Opened::failed, 0, error, ""};
}

// The handle, once it is known to be a regular file's.
Opening regular_file(HANDLE handle, OpenFor purpose) {
    const DWORD type = ::GetFileType(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    Opening opening{Opened::not_regular, 0, 0, ""};
    if (type != FILE_TYPE_DISK) {
        opening.detail = kind_of_device(type, purpose);
    } else if (known && !follows_links(purpose) &&
               (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        opening.outcome = Opened::link;
    } else if (known && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        opening.detail = "a directory";
    } else {
        return {Opened::file, as_integer(handle), 0, ""};
    }
    ::CloseHandle(handle);
    return opening;
}

// After a read that found no bytes, with its error (ERROR_HANDLE_EOF where
// it failed not): whether the input has ended. A pipe whose writer has
// finished is no error. Ctrl-C may have cut the read of a console or a pipe
// short (Wine's read of a pipe returns nothing when SIGINT arrives), and its
// handler must get the time to end the program; a Ctrl-C that the program
// was told to ignore only cut it short, and the read goes on.
bool input_has_ended(HANDLE handle, DWORD error) {
    const DWORD type = ::GetFileType(handle);
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
        let_pending_interruption_arrive();
    }
    return error != ERROR_OPERATION_ABORTED;
}

}  // namespace

Opening open_file(const std::string& path, OpenFor purpose) {
    // CON, PRN or LPT1 would be opened as what they stand for, or not at all.
    if (purpose != OpenFor::creating_to_append && names_a_device(path)) {
        return {Opened::not_regular, 0, 0, "a character device"};
    }
    const HANDLE handle = open_handle(path, purpose);
    if (handle == INVALID_HANDLE_VALUE) {
        return not_opened(path, purpose, last_system_error());
    }
    // On Windows a new file takes the access list its directory passes on.
    return purpose == OpenFor::creating_to_append ? Opening{Opened::file, as_integer(handle), 0, ""}
                                                  : regular_file(handle, purpose);
}

FileHandle standard_input_handle() {
    return as_integer(::GetStdHandle(STD_INPUT_HANDLE));
}

void close_file(FileHandle file) noexcept {
    ::CloseHandle(as_handle(file));
}

int read_some(FileHandle file, std::size_t most, std::string& bytes) {
    const HANDLE handle = as_handle(file);
    const DWORD wanted = most > 0x40000000u ? 0x40000000u : static_cast<DWORD>(most);
    for (;;) {
        bytes.resize(wanted);
        DWORD count = 0;
        const bool done = ::ReadFile(handle, bytes.data(), wanted, &count, nullptr) != 0;
        bytes.resize(count);
        if (count > 0) {
            const UINT typed = typed_code_page(handle);
            if (typed != 0) {
                bytes = in_code_page(bytes, typed, ::GetACP());
            }
            if (!bytes.empty()) {
                return 0;
            }
            continue;
        }
        const DWORD error = done ? ERROR_HANDLE_EOF : ::GetLastError();
        if (error != ERROR_HANDLE_EOF && error != ERROR_BROKEN_PIPE &&
            error != ERROR_OPERATION_ABORTED) {
            return static_cast<int>(error);
        }
        if (input_has_ended(handle, error)) {
            return 0;
        }
    }
}

int write_once(FileHandle file, std::string_view bytes, std::size_t& written) {
    DWORD count = 0;
    const bool done = ::WriteFile(as_handle(file), bytes.data(), static_cast<DWORD>(bytes.size()),
                                  &count, nullptr) != 0;
    written = count;
    return done ? 0 : last_system_error();
}

}  // namespace korvaline
