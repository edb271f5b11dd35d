#pragma once

#include <string>
#include <string_view>

namespace korvaline {

// How a message names what stands where a regular file was expected, such as
// "it is a FIFO, not a regular file" for `kind` "a FIFO". Both systems' layers
// use it, so that the words are the same on each.
inline std::string not_a_regular_file(std::string_view kind) {
    return "it is " + std::string(kind) + ", not a regular file";
}

}  // namespace korvaline
