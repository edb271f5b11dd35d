#include "frames/run_discovery.hpp"

#include <string>

#include "core/file_names.hpp"
#include "core/format_int.hpp"
#include "platform/name_exists.hpp"

namespace korvaline {

namespace {

FixedText tested_frame_name(const FixedText& base_name, std::int32_t frame_number) {
    return name_as_tested(frame_file_name(base_name.trimmed(), frame_number));
}

bool frame_exists(const FixedText& base_name, std::int32_t frame_number,
                  const ExistenceTest& exists) {
    return exists(tested_frame_name(base_name, frame_number));
}

void mark_absent(RunEntry& run) {
    run.present.assign("F");
    run.base_name.assign("");
    run.frame_count = 0;
}

std::int32_t count_frames(const FixedText& base_name, const ExistenceTest& exists) {
    std::int32_t count = 1;
    while (count < kMaxFrames && frame_exists(base_name, count + 1, exists)) {
        ++count;
    }
    return count;
}

// A count ends at the first missing frame. When the frame after it exists,
// the run is probably longer than counted (a frame lost in transfer), and
// saint would integrate only its first part: the user is told.
void note_if_gap(int run_number, const RunEntry& run, Console& console,
                 const ExistenceTest& exists) {
    const std::int32_t missing = run.frame_count + 1;
    if (missing + 1 > kMaxFrames || !frame_exists(run.base_name, missing + 1, exists)) {
        return;
    }
    console.note("frame-gap",
                 "run " + std::to_string(run_number) + " stops at frame " +
                     std::to_string(run.frame_count) + ": " +
                     tested_frame_name(run.base_name, missing).trimmed() + " is missing but " +
                     tested_frame_name(run.base_name, missing + 1).trimmed() + " exists");
}

// saint.ini has places for runs 1 to 4 only: a later run's frames would be
// left out without a word. Where the cut takes the run digit, the name
// tested is run 1's, and tells nothing of run 5 on.
void note_runs_beyond_four(const FixedText& project, Console& console,
                           const ExistenceTest& exists) {
    for (int number = 5; number <= 9; ++number) {
        const std::string base = run_base_name(project, number);
        if (base.size() > kNameWidth || !frame_exists(name_as_tested(base), 1, exists)) {
            continue;
        }
        console.note("runs-beyond-4",
                     tested_frame_name(name_as_tested(base), 1).trimmed() +
                         " exists, but saint.ini has places for runs 1 to 4 only; run " +
                         std::to_string(number) + " is not integrated");
    }
}

}  // namespace

void discover_runs(SetupRecord& record, Console& console, const ExistenceTest& look_up,
                   const FrameLister& list) {
    const ListedFrames listed = list(record.project_name);
    // A name the listing holds is there, as a look-up would say; any other
    // is looked up, so that a link, a name made since the listing and a file
    // system that ignores case answer as they always have.
    const ExistenceTest exists = [&listed, &look_up](const FixedText& name) {
        const std::string tested = name.trimmed();
        return listed.holds(tested) ? !names_a_device(tested) : look_up(name);
    };
    for (int number = 1; number <= 4; ++number) {
        RunEntry& run = record.run(number);
        const FixedText base_name = name_as_tested(run_base_name(record.project_name, number));
        if (!frame_exists(base_name, 1, exists)) {
            mark_absent(run);
            continue;
        }
        run.present.assign("T");
        run.base_name.assign(base_name.text());
        record.last_run = number;
        run.frame_count = count_frames(base_name, exists);
        console.message("SORTING FRAME FILES: " + frame_file_name(run.base_name.trimmed(), 1) +
                        " => " + format_int(run.frame_count, 3));
        note_if_gap(number, run, console, exists);
    }
    note_runs_beyond_four(record.project_name, console, exists);
}

}  // namespace korvaline
