#include "platform/directory_names.hpp"

#include <dirent.h>

#include <memory>
#include <string_view>

namespace korvaline {

NamesBeside names_beside(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    NamesBeside beside{slash == std::string::npos ? path : path.substr(slash + 1), {}};
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(directory.c_str()), ::closedir);
    if (!listing) {
        return beside;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        if (std::string_view(entry->d_name).starts_with(beside.file)) {
            beside.names.emplace_back(entry->d_name);
        }
    }
    return beside;
}

}  // namespace korvaline
