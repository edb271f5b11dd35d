#include "platform/directory_names.hpp"

#include <algorithm>
#include <limits>

#include "platform/directory_listing.hpp"
#include "platform/name_exists.hpp"

namespace korvaline {

namespace {

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// Where the file system ignores case, the listing's own match, which heeds
// it, is given only the directory: each entry is matched here instead.
std::vector<std::string> names_beside(const std::string& path) {
    const bool ignore_case = names_ignore_case();
    const std::size_t separator = path.find_last_of(ignore_case ? "/\\:" : "/");
    const std::string listed =
        ignore_case ? path.substr(0, separator == std::string::npos ? 0 : separator + 1) : path;
    std::vector<std::string> names;
    list_directory(listed, "*", std::numeric_limits<std::size_t>::max(),
                   [&](const ListedEntry& entry) {
                       if (entry.name.size() >= path.size() &&
                           std::equal(path.begin(), path.end(), entry.name.begin(),
                                      [](char a, char b) { return folded(a) == folded(b); })) {
                           names.push_back(entry.name);
                       }
                   });
    return names;
}

}  // namespace korvaline
