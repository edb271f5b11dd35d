#pragma once

#include <functional>

#include "core/fixed_text.hpp"

namespace korvaline {

// Whether the file system holds an entry named by the trimmed text, relative
// to the current directory. One query of the file system; nothing is opened.
// A name holding a NUL byte never exists. A query that cannot be answered is
// a Failure, as name_exists says.
bool file_exists(const FixedText& name);

// The same for a frame file, where a name that stands for a device (as
// COM1.001 does on Windows) is no frame and does not exist.
bool frame_file_exists(const FixedText& name);

// The existence test the dialogues and the discovery use; tests replace it.
using ExistenceTest = std::function<bool(const FixedText&)>;

// frame_file_exists, whose failure names the file from the root when
// `in_full` is set (see name_in_messages).
ExistenceTest frame_file_test(bool in_full);

}  // namespace korvaline
