#include "platform/input_file.hpp"

#include <utility>

namespace korvaline {

// What both systems share: a moved-from file owns nothing, so its handle is
// never used again.
InputFile::InputFile(std::intptr_t handle, bool owned, std::string name)
    : handle_(handle), owned_(owned), name_(std::move(name)) {}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)),
      owned_(std::exchange(other.owned_, false)),
      name_(std::move(other.name_)),
      converted_(std::move(other.converted_)) {}

}  // namespace korvaline
