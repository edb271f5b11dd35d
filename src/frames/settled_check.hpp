#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/setup_record.hpp"
#include "platform/file_facts.hpp"

namespace korvaline {

// A file whose modification time tells whether the collection has ended,
// by the name it has in messages.
struct WrittenFile {
    std::string name;
    EpochSeconds modified = 0;
};

// What a run with --settled=MINUTES says of the newest of `files` when it
// was modified less than `minutes` whole minutes before `now` (a time ahead
// of `now` counts as now); none when every file has been left alone that
// long, or when `minutes` is 0.
std::optional<std::string> unsettled_message(const std::vector<WrittenFile>& files,
                                             EpochSeconds now, std::int64_t minutes);

// Fails with that message when the P4P file or the last frame found of a
// run is that new: a collection still being written would be set up with
// the frames it has so far. Only these few files are looked at, by their
// modification times; one that has gone since is passed over. Names are in
// full when `in_full` is set (see name_in_messages).
void refuse_if_unsettled(const SetupRecord& record, std::int64_t minutes, bool in_full);

}  // namespace korvaline
