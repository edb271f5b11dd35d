#pragma once

#include <sys/stat.h>

#include <string>

namespace korvaline {

// What a file of that mode is, as messages name it: "a FIFO".
const char* kind_of(mode_t mode);

// How a message names what stands where a regular file was expected:
// "it is a FIFO, not a regular file".
std::string not_a_regular_file(mode_t mode);

}  // namespace korvaline
