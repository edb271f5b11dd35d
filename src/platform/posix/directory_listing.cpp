#include "platform/directory_listing.hpp"

#include <dirent.h>

#include <cerrno>

namespace korvaline {

namespace {

// A link may lead nowhere; an entry of unknown kind may be a link.
bool found_for_certain(unsigned char type) {
    return type != DT_UNKNOWN && type != DT_LNK;
}

class OpenDirectory {
  public:
    explicit OpenDirectory(const std::string& path) : dir_(::opendir(path.c_str())) {}
    ~OpenDirectory() {
        if (dir_ != nullptr) {
            ::closedir(dir_);
        }
    }
    OpenDirectory(const OpenDirectory&) = delete;
    OpenDirectory& operator=(const OpenDirectory&) = delete;

    DIR* get() const { return dir_; }

  private:
    DIR* dir_;
};

}  // namespace

ListingEnd list_directory(std::string_view prefix, std::string_view /*wildcards*/,
                          std::size_t most_entries,
                          const std::function<void(const ListedEntry&)>& take) {
    const std::size_t slash = prefix.rfind('/');
    const std::string directory_part(
        prefix.substr(0, slash == std::string_view::npos ? 0 : slash + 1));
    const std::string_view start = prefix.substr(directory_part.size());
    // "." is looked up in the directory, so one that may be read but not
    // searched, whose entries no look-up could find, is refused here.
    const OpenDirectory directory(directory_part + ".");
    if (directory.get() == nullptr) {
        return {false, errno};
    }
    std::size_t entries = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(directory.get());
        if (entry == nullptr) {
            return {errno == 0, errno};
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (++entries > most_entries) {
            return {false, 0};
        }
        if (name.starts_with(start)) {
            take({directory_part + std::string(name), found_for_certain(entry->d_type)});
        }
    }
}

}  // namespace korvaline
