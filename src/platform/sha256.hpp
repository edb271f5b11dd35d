#pragma once

#include <string>
#include <string_view>

namespace korvaline {

// The SHA-256 digest of `bytes` in lower-case hexadecimal, as sha256sum
// prints it, so that a person can check a file against the log by hand. The
// digest is the system's (Windows) or a well-kept library's (Nettle).
std::string sha256_hex(std::string_view bytes);

}  // namespace korvaline
