#pragma once

#include <string>

namespace korvaline {

// The name of the machine the program runs on, as the system gives it;
// empty where it gives none.
std::string host_name();

}  // namespace korvaline
