#include "core/failure.hpp"

namespace korvaline {

std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    text.append(name);
    text.push_back('\'');
    return text;
}

}  // namespace korvaline
