#pragma once

#include <string_view>

namespace korvaline {

// Readies the process before anything is written: a closed pipe or a
// file-size limit must fail a write and be reported, not kill the program;
// on Windows, Ctrl-C ends it with Windows' status for that, from any point.
void prepare_standard_streams();

// Writes all of `bytes` to standard output exactly as they are, without any
// translation of line endings; only a Windows console gets them in its own
// code page. A failed write is a Failure ("cannot write to standard output:
// <why>").
void write_standard_output(std::string_view bytes);

// Writes `bytes` to standard error as they are; a failure there cannot be
// reported anywhere, so it is ignored.
void write_standard_error(std::string_view bytes) noexcept;

// The same for the program's own lines, sent to standard error when standard
// output carries the settings: a failed write is a Failure ("cannot write
// to standard error: <why>"), so that the status tells of it.
void write_standard_error_checked(std::string_view bytes);

}  // namespace korvaline
