#pragma once

#include <sys/stat.h>

#include <string>

namespace korvaline {

// How a message names what stands where a regular file was expected:
// "it is a FIFO, not a regular file".
std::string not_a_regular_file(mode_t mode);

}  // namespace korvaline
