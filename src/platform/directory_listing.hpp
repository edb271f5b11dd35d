#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace korvaline {

// An entry of a directory as one reading of the directory shows it: its name,
// with the directory part it was asked for by, and whether a look-up of that
// name finds it for certain: an entry of a kind the reading tells, other
// than a symbolic link (a regular file, a directory, a FIFO, ...). A link may
// lead nowhere, and some file systems tell no kind: such names, like names
// the reading does not show, are for a look-up to answer.
struct ListedEntry {
    std::string name;
    bool found_for_certain = false;
};

// How a reading ended. When it was not whole, `error` is the system's reason
// (last_system_error), or 0 where the directory holds more entries than the
// reading was allowed to read.
struct ListingEnd {
    bool whole = false;
    int error = 0;
};

// Reads the directory that the directory part of `prefix` names (up to its
// last separator; the current directory where it has none) once, and hands
// `take` every entry whose name begins with the rest of `prefix`, in the
// directory's order. `wildcards` says in the system's wildcards what may
// follow the prefix ("?.???"), for a system that lets the file server choose
// the entries (Windows); `take` sees every entry such a choice lets through.
// A reading that would go past `most_entries` entries (those the server
// chooses, or all but "." and "..") stops there, not whole.
//
// Where the entries' names could not be looked up in the directory (it may
// be read but not searched), the reading is not whole either. A reading that
// is not whole may have handed on some entries before it ended: its caller
// keeps none of them. Nothing is opened but the directory.
ListingEnd list_directory(std::string_view prefix, std::string_view wildcards,
                          std::size_t most_entries,
                          const std::function<void(const ListedEntry&)>& take);

}  // namespace korvaline
