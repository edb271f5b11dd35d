#include "platform/posix/access_lists.hpp"

#include <sys/xattr.h>

#include <cerrno>
#include <memory>
#include <string_view>

#include "core/group_access.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// The extended attribute that holds a file's access control list, and the
// most bytes a list of attribute names or one value may take on Linux.
constexpr std::string_view kAccessControlList = "system.posix_acl_access";
constexpr std::size_t kMostAttributeBytes = 64 * 1024;

struct Copied {
    int error = 0;
    bool has_mask = false;
};

Copied copy_attribute(const std::string& old_path, int fd, const std::string& attribute,
                      bool group_kept) {
    Copied copied;
    const auto value = std::make_unique_for_overwrite<char[]>(kMostAttributeBytes);
    const ssize_t length =
        ::getxattr(old_path.c_str(), attribute.c_str(), value.get(), kMostAttributeBytes);
    if (length >= 0 && attribute == kAccessControlList) {
        copied.has_mask =
            fit_access_list_to_group(value.get(), static_cast<std::size_t>(length), group_kept);
    }
    if (length < 0 ||
        ::fsetxattr(fd, attribute.c_str(), value.get(), static_cast<std::size_t>(length), 0) != 0) {
        copied.error = errno;
    }
    return copied;
}

}  // namespace

bool copy_access_list_and_attributes(const std::string& old_path, int fd, bool group_kept,
                                     const std::string& name) {
    const std::string no_list =
        "cannot give the new " + name + " the access control list of the old one";
    // Left uncleared, so that only what the system fills takes memory.
    const auto buffer = std::make_unique_for_overwrite<char[]>(kMostAttributeBytes);
    const ssize_t length = ::listxattr(old_path.c_str(), buffer.get(), kMostAttributeBytes);
    const int error = length < 0 ? errno : 0;
    // A file system without extended attributes has no access control lists.
    if (error == ENOTSUP) {
        return false;
    }
    if (error != 0) {
        fail_with_system_error("cannot read the access control list of " + name, error);
    }
    const std::string names(buffer.get(), static_cast<std::size_t>(length));
    bool has_list = false;
    bool has_mask = false;
    for (std::size_t start = 0; start < names.size();) {
        const std::string attribute(names.c_str() + start);
        start += attribute.size() + 1;
        if (attribute != kAccessControlList && !attribute.starts_with("user.")) {
            continue;
        }
        const Copied copied = copy_attribute(old_path, fd, attribute, group_kept);
        if (attribute == kAccessControlList) {
            has_list = true;
            has_mask = copied.has_mask;
            if (copied.error != 0) {
                fail_with_system_error(no_list, copied.error);
            }
        }
    }
    // The new file, made in the directory, may have been given its default
    // list; the old file had none, and its mode alone says who may use it.
    if (!has_list && ::fremovexattr(fd, kAccessControlList.data()) != 0 && errno != ENODATA &&
        errno != ENOTSUP) {
        fail_with_system_error(no_list, errno);
    }
    return has_mask;
}

}  // namespace korvaline
