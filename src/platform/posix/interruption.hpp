#pragma once

#include <signal.h>

namespace korvaline {

// Every signal that would end the program and can be caught, but SIGPIPE and
// SIGXFSZ (which the program ignores, so that a failed write is reported),
// held back while a file is saved, so that none ends the program halfway
// through a step; the save looks for one that came meanwhile where it can
// still act on it. No handler is needed, and none can race the rename. A
// signal that the caller of the program ignores stays ignored.
class InterruptionsHeld {
  public:
    InterruptionsHeld() = default;
    ~InterruptionsHeld() { release(); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

    void hold();

    // Delivers what came meanwhile, with its usual effect.
    void release() noexcept;

    // A signal that came while held and acts once released, or 0: one that
    // the caller of the program neither ignores nor holds back itself.
    int pending() const;

  private:
    sigset_t before_{};
    bool holding_ = false;
};

}  // namespace korvaline
