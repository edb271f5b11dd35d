#include "platform/standard_streams.hpp"

#include "platform/file_operations.hpp"
#include "platform/system_error.hpp"
#include "platform/windows/code_pages.hpp"
#include "platform/windows/interruption.hpp"
#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// The program's text is in the ANSI code page, as the file names in it are;
// a console shows it in its own.
DWORD write_text(HANDLE handle, std::string_view bytes) {
    const UINT shown = shown_code_page(handle);
    const FileHandle file = as_integer(handle);
    return static_cast<DWORD>(shown == 0 ? write_all(file, bytes)
                                         : write_all(file, in_code_page(bytes, ::GetACP(), shown)));
}

}  // namespace

void prepare_standard_streams() {
    // A name on an empty drive must be a name that does not exist, not a
    // dialogue box that waits for a click.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    end_on_interruption();
}

void write_standard_output(std::string_view bytes) {
    const DWORD error = write_text(::GetStdHandle(STD_OUTPUT_HANDLE), bytes);
    if (error != 0) {
        fail_with_system_error("cannot write to standard output", static_cast<int>(error));
    }
}

void write_standard_error(std::string_view bytes) noexcept {
    write_text(::GetStdHandle(STD_ERROR_HANDLE), bytes);
}

void write_standard_error_checked(std::string_view bytes) {
    const DWORD error = write_text(::GetStdHandle(STD_ERROR_HANDLE), bytes);
    if (error != 0) {
        fail_with_system_error("cannot write to standard error", static_cast<int>(error));
    }
}

}  // namespace korvaline
