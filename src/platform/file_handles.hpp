#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvaline {

// An open file, as the headers every system shares keep it.
using FileHandle = std::intptr_t;

// What a file is opened for by name. Only a regular file is taken, found
// without waiting for the other end of a FIFO and without reading a byte.
enum class OpenFor {
    reading,              // symbolic links followed
    reading_unless_link,  // a symbolic link is refused, not followed
    appending,            // a link refused; every write lands at the end
    creating_to_append,   // made anew for the user alone, to append to
};

// What opening found, as the system tells it; the layer above words it.
enum class Opened {
    file,           // `handle` is open on a regular file
    absent,         // nothing of that name (`error` the system's answer)
    already_there,  // creating: something of that name is there
    refused,        // no permission to search the way or open the file
    link,           // a symbolic link where none is followed
    dangling_link,  // reading: a link to nothing; `detail` its target
    not_regular,    // `detail` names what is there: "a FIFO"
    unreadable,     // opened, but what it is could not be told
    failed,         // it could not be opened: `error` says why
};

struct Opening {
    Opened outcome = Opened::failed;
    FileHandle handle = 0;
    int error = 0;  // the system's reason, as last_system_error() gives it
    std::string detail;
};

// Opens `path` for `purpose`; a handle is open only where the outcome is
// Opened::file, and is the caller's to close.
Opening open_file(const std::string& path, OpenFor purpose);

// Standard input, which no one closes.
FileHandle standard_input_handle();

void close_file(FileHandle file) noexcept;

// Puts in `bytes` what comes next from `file`: at most `most` bytes as they
// are, or, for text typed in a Windows console, that text converted to the
// ANSI code page (as file names want it), which may be longer. Empty only at
// the end of the input. The system's error, or 0.
int read_some(FileHandle file, std::size_t most, std::string& bytes);

// Writes `bytes` to `file` in one write; how much went in `written`. The
// system's error, or 0.
int write_once(FileHandle file, std::string_view bytes, std::size_t& written);

}  // namespace korvaline
