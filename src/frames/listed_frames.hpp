#pragma once

#include <bitset>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/fixed_text.hpp"

namespace korvaline {

// The most entries a listing of the frames' directory reads: a crystal's
// folder of four runs of 999 frames holds about 4,000, and reading 20,000
// costs some twenty calls of the system; past that, the folder holds mostly
// other files, and each name is looked up instead.
constexpr std::size_t kMostListedEntries = 20'000;

// The names of a project's frames that one listing of their directory shows
// to exist for certain (see ListedEntry). A project's frame names, as they
// are tested, differ only in what follows the project: a run digit, a full
// stop and three digits, cut with the rest at 20 characters. One bit for
// each such ending is all that is kept, whatever the directory holds.
class ListedFrames {
  public:
    // No name yet: every name is for a look-up to answer.
    explicit ListedFrames(const FixedText& project);

    // Whether the listing showed `name` for certain; `name` is as tested.
    bool holds(std::string_view name) const;
    void add(std::string_view name);

    // How many characters of a frame name follow the project (5 at most).
    std::size_t ending_length() const { return ending_length_; }

  private:
    // Where the bit of `name` stands; none for a name that is no frame name
    // of the project's (runs 1 to 9).
    std::optional<std::size_t> bit_of(std::string_view name) const;

    std::string project_;
    std::size_t ending_length_;
    std::bitset<9 * 1000> listed_;
};

// The directory of `project`'s frames (the part of its name up to a "/"),
// read once. Where it cannot be read whole, or holds more than `most_entries`
// entries, it shows nothing: each name is looked up as ever.
ListedFrames list_frames(const FixedText& project, std::size_t most_entries = kMostListedEntries);

// How discovery gets the listing; tests hand in their own.
using FrameLister = std::function<ListedFrames(const FixedText& project)>;

}  // namespace korvaline
