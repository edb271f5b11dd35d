#pragma once

#include <string>

namespace korvaline {

// Gives the new file open as `fd` the access control list of the old file at
// `old_path`, or the save fails (a Failure naming `name`), since the new file
// would otherwise give others more than the old one did; and the user's own
// extended attributes (user.*) where the file system takes them. The other
// kinds belong to the system and are not copied. Where the new file's group
// is not the old one's (`group_kept` false), the list's entry for the group
// gets no more than the list gives others. Whether the old file's list has a
// mask, which the mode's group bits then stand for.
bool copy_access_list_and_attributes(const std::string& old_path, int fd, bool group_kept,
                                     const std::string& name);

}  // namespace korvaline
