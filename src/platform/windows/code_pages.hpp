#pragma once

#include <string>
#include <string_view>

#include "platform/windows/windows_api.hpp"

namespace korvaline {

// Text in code page `from` as code page `to` writes it; a character that `to`
// lacks becomes its default character. With the same code page on both sides,
// or where the system knows either of them not, the bytes stay as they are.
std::string in_code_page(std::string_view text, UINT from, UINT to);

// The code page in which a console behind `handle` delivers typed text or
// shows written text, where it differs from the ANSI code page that file
// names and saint.ini use; 0 where nothing is to be converted: the handle is
// no console (a file or a pipe stays byte for byte), or the pages agree.
UINT typed_code_page(HANDLE handle);
UINT shown_code_page(HANDLE handle);

}  // namespace korvaline
