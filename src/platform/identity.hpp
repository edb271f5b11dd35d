#pragma once

#include <string>

namespace korvaline {

// Users and groups as messages and records name them: by name where the
// system's account files give one, else by number. The system's name
// service is never asked, since its modules crash a statically linked
// program; a number is named instead.

// The user the program runs as (its effective user). On Windows, the
// account's name, or empty where the system cannot tell it.
std::string running_user_name();

// The group with this number. On Windows, where files have no group, the
// number.
std::string group_name(unsigned long group);

}  // namespace korvaline
