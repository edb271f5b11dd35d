#include "core/file_names.hpp"

#include <algorithm>

#include "core/format_int.hpp"

namespace korvaline {

namespace {

std::string three_digits(std::int32_t frame_number) {
    const std::string digits = std::to_string(frame_number);
    return std::string(3 - std::min<std::size_t>(digits.size(), 3), '0') + digits;
}

}  // namespace

FixedText name_as_tested(std::string_view whole) {
    FixedText name(kNameWidth);
    name.assign(whole);
    return name;
}

std::string run_base_name(const FixedText& project, std::int32_t run_number) {
    return project.trimmed() + format_int(run_number, 1);
}

std::string frame_file_name(std::string_view base, std::int32_t frame_number) {
    std::string name(base);
    name += '.';
    name += three_digits(frame_number);
    return name;
}

std::string first_frame_name(const FixedText& project) {
    return frame_file_name(run_base_name(project, 1), 1);
}

std::string default_p4p_name(const FixedText& run_one_base) {
    return run_one_base.trimmed() + ".p4p";
}

std::string work_file_name(std::string_view stem, std::string_view suffix) {
    std::string name("./work/");
    name += stem;
    name += suffix;
    return name;
}

}  // namespace korvaline
