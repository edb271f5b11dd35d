#include "platform/windows/interruption.hpp"

#include <array>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

namespace {

// What the handler touches, changed only under the lock: it runs on a thread
// of its own, at any moment.
SRWLOCK g_lock = SRWLOCK_INIT;
std::array<char, MAX_PATH> g_file_to_remove{};

// Long enough for the handler's thread to start, short enough not to be
// noticed when the input has really ended.
constexpr DWORD kInterruptionArrivesWithinMs = 250;

// The lock is taken and never given back: the main thread, whatever step it
// was in, makes no further one, so no temporary file can come into being
// after this one is gone. Nothing here waits on the main thread, and the
// main thread never calls the console while it holds the lock.
BOOL WINAPI end_program(DWORD /*event*/) {
    ::AcquireSRWLockExclusive(&g_lock);
    if (g_file_to_remove[0] != '\0') {
        ::DeleteFileA(g_file_to_remove.data());
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
    const std::size_t length = path.copy(g_file_to_remove.data(), g_file_to_remove.size() - 1);
    g_file_to_remove[length] = '\0';
}

void let_pending_interruption_arrive() {
    ::Sleep(kInterruptionArrivesWithinMs);
}

}  // namespace korvaline
