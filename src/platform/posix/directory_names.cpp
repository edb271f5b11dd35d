#include "platform/directory_names.hpp"

#include <dirent.h>

#include <memory>
#include <string_view>

#include "core/backup_names.hpp"

namespace korvaline {

std::vector<std::string> directory_names_starting_with(const std::string& path) {
    const std::string_view file = file_name_part(path);
    const std::string directory =
        file.size() == path.size() ? "." : path.substr(0, path.size() - file.size());
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(directory.c_str()), ::closedir);
    if (!listing) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        if (std::string_view(entry->d_name).starts_with(file)) {
            names.emplace_back(entry->d_name);
        }
    }
    return names;
}

}  // namespace korvaline
