#pragma once

#include <string>

namespace korvaline {

// Ctrl-C, Ctrl-Break, a closed console window, a logoff or a shutdown ends the
// program at once with the status Windows gives an interrupted console
// program (STATUS_CONTROL_C_EXIT), after removing the file named by
// remove_on_interruption(). Installed once, for the whole run; a Ctrl-C that
// the parent told the program to ignore stays ignored.
void end_on_interruption();

// While one lives, an interruption waits until it is gone, so that the
// handler sees each step that makes, renames or removes the temporary file
// whole. The handler, once it has begun, never lets a further step start.
// Hold it around such single steps only: never around a pause, a read or a
// call to the console, so that the handler never waits long.
class InterruptionHeldBack {
  public:
    InterruptionHeldBack();
    ~InterruptionHeldBack();
    InterruptionHeldBack(const InterruptionHeldBack&) = delete;
    InterruptionHeldBack& operator=(const InterruptionHeldBack&) = delete;
};

// A file that an interruption removes (at most two at once: the new file
// and a link beside the old one), shorter than MAX_PATH; and the same file,
// or every one, no longer. Only while an InterruptionHeldBack lives.
void remove_on_interruption(const std::string& path);
void keep_on_interruption(const std::string& path);
void keep_all_on_interruption();

// After a read of the console or of a pipe that found no bytes: a Ctrl-C
// that cut the read short may still be on its way to the handler (Windows
// and Wine run it on a thread of its own, a moment later), and must end the
// program before the read is taken for the end of the input.
void let_pending_interruption_arrive();

}  // namespace korvaline
