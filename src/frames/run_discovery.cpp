#include "frames/run_discovery.hpp"

#include <string>

#include "setup/format_int.hpp"

namespace korvaline {

namespace {

std::string three_digits(std::int32_t frame_number) {
    const std::string digits = std::to_string(frame_number);
    return std::string(3 - digits.size(), '0') + digits;
}

void mark_absent(RunEntry& run) {
    run.present.assign("F");
    run.base_name.assign("");
    run.frame_count = 0;
}

std::int32_t count_frames(const FixedText& base_name, const ExistenceTest& exists) {
    std::int32_t count = 1;
    while (count < kMaxFrames && exists(frame_file_name(base_name, count + 1))) {
        ++count;
    }
    return count;
}

}  // namespace

FixedText frame_file_name(const FixedText& base_name, std::int32_t frame_number) {
    FixedText name(20);
    name.assign(base_name.trimmed() + "." + three_digits(frame_number));
    return name;
}

void discover_runs(SetupRecord& record, Console& console, const ExistenceTest& exists) {
    for (int number = 1; number <= 4; ++number) {
        RunEntry& run = record.run(number);
        FixedText run_digit(1);
        run_digit.assign(format_int(number, 1));
        FixedText base_name(20);
        base_name.assign(record.project_name.trimmed() + run_digit.trimmed());

        if (!exists(frame_file_name(base_name, 1))) {
            mark_absent(run);
            continue;
        }
        run.present.assign("T");
        run.base_name.assign(base_name.text());
        record.last_run = number;
        run.frame_count = count_frames(base_name, exists);
        console.message("SORTING FRAME FILES: " + run.base_name.trimmed() + ".001 => " +
                        format_int(run.frame_count, 3));
    }
}

}  // namespace korvaline
