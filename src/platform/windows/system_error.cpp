#include "platform/system_error.hpp"

#include "platform/windows/windows_api.hpp"

namespace korvaline {

int last_system_error() {
    return static_cast<int>(::GetLastError());
}

std::string system_error_text(int error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        return "system error " + std::to_string(error);
    }
    std::string message(text, length);
    ::LocalFree(text);
    // The system's texts end in CR LF; the message is one line of the program's.
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

}  // namespace korvaline
