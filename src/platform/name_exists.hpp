#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korvaline {

// Whether the file system holds an entry of this name, relative to the
// current directory unless the name says otherwise. One query; nothing is
// opened. A name that ends in a separator names a directory only, so
// "abc1.p4p/" does not exist even where abc1.p4p does. The caller has made
// sure that the name holds no NUL byte.
//
// Only an answer that means "no such file" (no such entry, a part of the
// path that is no directory or not found, an invalid name, a name too long)
// makes it false; any other failure of the query (a directory the user may
// not search, an I/O error, a loop of links) is a Failure ("cannot tell
// whether <path> exists: <why>"), since a file taken for missing would go
// unnoticed. The failure calls the file what `called` gives: the path as
// given, or from the root (see name_in_messages), worked out only then.
bool name_exists(const std::string& path, const std::function<std::string()>& called);
inline bool name_exists(const std::string& path) {
    return name_exists(path, [&path] { return path; });
}

// Whether the name stands for a device rather than a file in a directory,
// as Windows' reserved names do (NUL, COM1.001); never on POSIX, where a
// device is a file under /dev.
bool names_a_device(const std::string& path);

// Whether the file system compares names without case (Windows).
bool names_ignore_case();

// Whether the system drops `suffix` from the end of any name, so that a name
// with it stands for the same file as the name without: on Windows a suffix
// of only full stops and blanks; never on POSIX.
bool suffix_is_dropped(std::string_view suffix);

}  // namespace korvaline
