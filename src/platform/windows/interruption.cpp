#include "platform/windows/interruption.hpp"

#include <array>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// What the handler touches, changed only under the lock: it runs on a thread
// of its own, at any moment.
SRWLOCK g_lock = SRWLOCK_INIT;
std::array<std::array<char, MAX_PATH>, 2> g_files_to_remove{};

// Long enough for the handler's thread to start, short enough not to be
// noticed when the input has really ended.
constexpr DWORD kInterruptionArrivesWithinMs = 250;

// The lock is taken and never given back: the main thread, whatever step it
// was in, makes no further one, so no temporary file can come into being
// after this one is gone. Nothing here waits on the main thread, and the
// main thread never calls the console while it holds the lock.
BOOL WINAPI end_program(DWORD /*event*/) {
    ::AcquireSRWLockExclusive(&g_lock);
    for (const auto& file : g_files_to_remove) {
        if (file[0] != '\0') {
            ::DeleteFileA(file.data());
        }
    }
    ::TerminateProcess(::GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    return TRUE;
}

}  // namespace

void end_on_interruption() {
    ::SetConsoleCtrlHandler(end_program, TRUE);
}

InterruptionHeldBack::InterruptionHeldBack() {
    ::AcquireSRWLockExclusive(&g_lock);
}

InterruptionHeldBack::~InterruptionHeldBack() {
    ::ReleaseSRWLockExclusive(&g_lock);
}

void remove_on_interruption(const std::string& path) {
    for (auto& file : g_files_to_remove) {
        if (file[0] == '\0') {
            file[path.copy(file.data(), file.size() - 1)] = '\0';
            return;
        }
    }
}

void keep_on_interruption(const std::string& path) {
    for (auto& file : g_files_to_remove) {
        if (path == file.data()) {
            file[0] = '\0';
        }
    }
}

void keep_all_on_interruption() {
    for (auto& file : g_files_to_remove) {
        file[0] = '\0';
    }
}

void let_pending_interruption_arrive() {
    ::Sleep(kInterruptionArrivesWithinMs);
}

}  // namespace korvaline
