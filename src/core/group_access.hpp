#pragma once

#include <cstddef>

namespace korvaline {

// What a new file whose group is not the old file's may give that group: no
// more than the old file gave others, since what the old file kept from
// everyone else must not open to another group.

// The old file's mode (permission bits) for such a new file.
unsigned mode_for_another_group(unsigned mode);

// The same for the old file's access control list as Linux keeps it in its
// extended attribute (a 4-byte version, then entries of a 2-byte tag, 2-byte
// permissions and a 4-byte id, little-endian): the entry for the file's group
// is cut, in place, to what the list gives others, unless `group_kept`.
// Whether the list has a mask, which the mode's group bits then stand for.
bool fit_access_list_to_group(char* list, std::size_t length, bool group_kept);

// Whether such a list lets a user or group named in it, beside the file's
// owner and group, write: an entry with write that the list's mask lets
// through. The mode's bits do not show who that is.
bool access_list_lets_others_write(const char* list, std::size_t length);

}  // namespace korvaline
