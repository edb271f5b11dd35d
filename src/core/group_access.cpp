#include "core/group_access.hpp"

namespace korvaline {

namespace {

constexpr unsigned kGroupBits = 070;
constexpr unsigned kOthersBits = 07;

constexpr std::size_t kListHeader = 4;
constexpr std::size_t kListEntry = 8;
constexpr unsigned kNamedUserEntry = 0x02;
constexpr unsigned kGroupEntry = 0x04;
constexpr unsigned kNamedGroupEntry = 0x08;
constexpr unsigned kWrite = 02;
constexpr unsigned kMaskEntry = 0x10;
constexpr unsigned kOthersEntry = 0x20;

unsigned entry_field(const char* entry, std::size_t at) {
    return static_cast<unsigned char>(entry[at]) |
           static_cast<unsigned>(static_cast<unsigned char>(entry[at + 1]) << 8);
}

}  // namespace

unsigned mode_for_another_group(unsigned mode) {
    const unsigned others_as_group = (mode & kOthersBits) << 3;
    return (mode & ~kGroupBits) | (mode & others_as_group);
}

bool fit_access_list_to_group(char* list, std::size_t length, bool group_kept) {
    unsigned others = 0;
    bool has_mask = false;
    for (std::size_t at = kListHeader; at + kListEntry <= length; at += kListEntry) {
        others = entry_field(list + at, 0) == kOthersEntry ? entry_field(list + at, 2) : others;
        has_mask = has_mask || entry_field(list + at, 0) == kMaskEntry;
    }
    for (std::size_t at = kListHeader; !group_kept && at + kListEntry <= length; at += kListEntry) {
        if (entry_field(list + at, 0) == kGroupEntry) {
            list[at + 2] = static_cast<char>(entry_field(list + at, 2) & others);
            list[at + 3] = 0;
        }
    }
    return has_mask;
}

bool access_list_lets_others_write(const char* list, std::size_t length) {
    unsigned mask = kWrite;
    bool named_may_write = false;
    for (std::size_t at = kListHeader; at + kListEntry <= length; at += kListEntry) {
        const unsigned tag = entry_field(list + at, 0);
        const unsigned permissions = entry_field(list + at, 2);
        mask = tag == kMaskEntry ? permissions : mask;
        named_may_write = named_may_write || ((tag == kNamedUserEntry || tag == kNamedGroupEntry) &&
                                              (permissions & kWrite) != 0);
    }
    return named_may_write && (mask & kWrite) != 0;
}

}  // namespace korvaline
