#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvaline {

// The name that an account file in the format of /etc/passwd or /etc/group
// gives the number `id` (its third field), or none. Read as plain text, so
// that a name is had without the system's name service.
std::optional<std::string> account_name(std::string_view account_file, unsigned long id);

}  // namespace korvaline
