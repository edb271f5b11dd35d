#include "frames/listed_frames.hpp"

#include <algorithm>

#include "core/file_names.hpp"
#include "platform/directory_listing.hpp"

namespace korvaline {

namespace {

// A frame name's ending in full: run digit, full stop, frame number.
constexpr std::string_view kEndingShape = "1.000";
constexpr std::size_t kFramesPerRun = 1000;

bool fits_shape(char c, std::size_t at) {
    if (at == 0) {
        return c >= '1' && c <= '9';
    }
    return at == 1 ? c == '.' : c >= '0' && c <= '9';
}

}  // namespace

ListedFrames::ListedFrames(const FixedText& project)
    : project_(project.trimmed()),
      ending_length_(
          std::min(kEndingShape.size(), kNameWidth - std::min(kNameWidth, project_.size()))) {}

std::optional<std::size_t> ListedFrames::bit_of(std::string_view name) const {
    if (!name.starts_with(project_) || name.size() != project_.size() + ending_length_) {
        return std::nullopt;
    }
    const std::string_view ending = name.substr(project_.size());
    // The digits a cut has left out count as zeros: every name of one
    // project is cut at the same place, so no two names share a bit.
    std::string full(kEndingShape);
    full.replace(0, ending.size(), ending);
    for (std::size_t at = 0; at < full.size(); ++at) {
        if (!fits_shape(full[at], at)) {
            return std::nullopt;
        }
    }
    const auto run = static_cast<std::size_t>(full[0] - '1');
    return run * kFramesPerRun + std::stoul(full.substr(2));
}

bool ListedFrames::holds(std::string_view name) const {
    const std::optional<std::size_t> bit = bit_of(name);
    return bit && listed_.test(*bit);
}

void ListedFrames::add(std::string_view name) {
    if (const std::optional<std::size_t> bit = bit_of(name)) {
        listed_.set(*bit);
    }
}

ListedFrames list_frames(const FixedText& project, std::size_t most_entries) {
    ListedFrames read(project);
    // The wildcards for the ending, cut where the names are.
    const std::string_view wildcards = std::string_view("?.???").substr(0, read.ending_length());
    const ListingEnd end = list_directory(project.trimmed(), wildcards, most_entries,
                                          [&read](const ListedEntry& entry) {
                                              if (entry.found_for_certain) {
                                                  read.add(entry.name);
                                              }
                                          });
    return end.whole ? read : ListedFrames(project);
}

}  // namespace korvaline
