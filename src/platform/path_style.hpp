#pragma once

namespace korvaline {

// How a system writes paths: POSIX's one slash, or Windows' two separators,
// drives and shares. files/path_grammar.hpp holds the rules of each.
enum class PathStyle { kPosix, kWindows };

// The style of the system the program runs on.
PathStyle system_path_style();

}  // namespace korvaline
