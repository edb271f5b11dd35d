#include "platform/posix/interruption.hpp"

#include <array>

namespace korvaline {

namespace {

// What the save leaves to its usual effect: signals that cannot be caught,
// those that stop or continue the program or are ignored by default, and the
// two the program ignores so that a failed write is reported as a failure.
constexpr std::array kSignalsLeftAlone = {SIGKILL, SIGSTOP, SIGTSTP,  SIGTTIN, SIGTTOU, SIGCONT,
                                          SIGCHLD, SIGURG,  SIGWINCH, SIGPIPE, SIGXFSZ};

bool ignored(int signal_number) {
    struct sigaction action {};
    ::sigaction(signal_number, nullptr, &action);
    return action.sa_handler == SIG_IGN;
}

}  // namespace

void InterruptionsHeld::hold() {
    if (holding_) {
        return;
    }
    sigset_t held;
    sigfillset(&held);
    for (const int left_alone : kSignalsLeftAlone) {
        sigdelset(&held, left_alone);
    }
    ::sigprocmask(SIG_BLOCK, &held, &before_);
    holding_ = true;
}

void InterruptionsHeld::release() noexcept {
    if (holding_) {
        holding_ = false;
        ::sigprocmask(SIG_SETMASK, &before_, nullptr);
    }
}

int InterruptionsHeld::pending() const {
    if (!holding_) {
        return 0;
    }
    sigset_t pending;
    sigemptyset(&pending);
    ::sigpending(&pending);
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
        if (sigismember(&pending, signal_number) == 1 &&
            sigismember(&before_, signal_number) == 0 && !ignored(signal_number)) {
            return signal_number;
        }
    }
    return 0;
}

}  // namespace korvaline
