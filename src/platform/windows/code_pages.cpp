#include "platform/windows/code_pages.hpp"

namespace korvaline {

namespace {

bool is_console(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

UINT unless_ansi(UINT code_page) {
    return code_page == ::GetACP() ? 0 : code_page;
}

}  // namespace

std::string in_code_page(std::string_view text, UINT from, UINT to) {
    // The program's pieces of text are small: a line, a read, a message.
    const int length = static_cast<int>(text.size());
    const int wide_length = ::MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
    if (from == to || wide_length <= 0) {
        return std::string(text);
    }
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    ::MultiByteToWideChar(from, 0, text.data(), length, wide.data(), wide_length);
    const int converted_length =
        ::WideCharToMultiByte(to, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    if (converted_length <= 0) {
        return std::string(text);
    }
    std::string converted(static_cast<std::size_t>(converted_length), '\0');
    ::WideCharToMultiByte(to, 0, wide.data(), wide_length, converted.data(), converted_length,
                          nullptr, nullptr);
    return converted;
}

UINT typed_code_page(HANDLE handle) {
    return is_console(handle) ? unless_ansi(::GetConsoleCP()) : 0;
}

UINT shown_code_page(HANDLE handle) {
    return is_console(handle) ? unless_ansi(::GetConsoleOutputCP()) : 0;
}

}  // namespace korvaline
