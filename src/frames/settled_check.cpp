#include "frames/settled_check.hpp"

#include <algorithm>

#include "core/failure.hpp"
#include "core/file_names.hpp"
#include "files/absolute_path.hpp"

namespace korvaline {

namespace {

constexpr EpochSeconds kSecondsPerMinute = 60;

std::string minutes_ago(std::int64_t minutes) {
    if (minutes == 0) {
        return "less than a minute ago";
    }
    return std::to_string(minutes) + (minutes == 1 ? " minute ago" : " minutes ago");
}

// The files that grow last in a collection: each run's last frame found,
// and the P4P file, written once the crystal has been measured.
std::vector<std::string> last_written_names(const SetupRecord& record) {
    std::vector<std::string> names;
    for (const RunEntry& run : record.runs) {
        if (run.is_present()) {
            names.push_back(
                name_as_tested(frame_file_name(run.base_name.trimmed(), run.frame_count))
                    .trimmed());
        }
    }
    if (!record.p4p_name.trimmed().empty()) {
        names.push_back(record.p4p_name.trimmed());
    }
    return names;
}

}  // namespace

std::optional<std::string> unsettled_message(const std::vector<WrittenFile>& files,
                                             EpochSeconds now, std::int64_t minutes) {
    if (minutes <= 0 || files.empty()) {
        return std::nullopt;
    }
    const auto newest = std::max_element(
        files.begin(), files.end(),
        [](const auto& left, const auto& right) { return left.modified < right.modified; });
    const std::int64_t age = std::max<EpochSeconds>(0, now - newest->modified) / kSecondsPerMinute;
    if (age >= minutes) {
        return std::nullopt;
    }
    return newest->name + " was written " + minutes_ago(age) +
           "; the collection may still be running (--settled=" + std::to_string(minutes) + ")";
}

void refuse_if_unsettled(const SetupRecord& record, std::int64_t minutes, bool in_full) {
    if (minutes <= 0) {
        return;
    }
    std::vector<WrittenFile> files;
    for (const std::string& name : last_written_names(record)) {
        const std::string called = name_in_messages(name, in_full);
        if (const std::optional<FileFacts> facts = file_facts(name, called)) {
            files.push_back({called, facts->modified});
        }
    }
    if (const std::optional<std::string> message =
            unsettled_message(files, current_time(), minutes)) {
        throw Failure(*message);
    }
}

}  // namespace korvaline
