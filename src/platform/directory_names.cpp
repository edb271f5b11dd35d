#include "platform/directory_names.hpp"

#include <limits>

#include "platform/directory_listing.hpp"

namespace korvaline {

std::vector<std::string> names_beside(const std::string& path) {
    std::vector<std::string> names;
    list_directory(path, "*", std::numeric_limits<std::size_t>::max(),
                   [&](const ListedEntry& entry) { names.push_back(entry.name); });
    return names;
}

}  // namespace korvaline
