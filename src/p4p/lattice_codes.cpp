#include "p4p/lattice_codes.hpp"

#include <array>
#include <string_view>

namespace korvaline {

namespace {

struct CodeRule {
    std::string_view fragment;
    std::int32_t code;
};

// Order matters: m-3 holds "-3" but not "m3"; 6/mmm and 4/mmm hold "mmm"
// but are caught first by "6/m" and "4/m".
constexpr std::array<CodeRule, 9> kLaueRules = {{
    {"m3", 9},    // cubic
    {"-3", 8},    // trigonal
    {"6/m", 7},   // hexagonal
    {"4/m", 6},   // tetragonal
    {"mmm", 5},   // orthorhombic
    {"2/mA", 4},  // monoclinic, unique axis a
    {"2/mB", 3},  // monoclinic, unique axis b
    {"2/mC", 2},  // monoclinic, unique axis c
    {"-1", 1},    // triclinic
}};

// Order matters: a field holding several letters takes the first listed.
constexpr std::array<CodeRule, 9> kCenteringRules = {{
    {"X", 8},
    {"Rr", 7},
    {"Ro", 6},
    {"I", 5},
    {"F", 4},
    {"C", 3},
    {"B", 2},
    {"A", 1},
    {"P", 0},
}};

template <std::size_t N>
std::int32_t first_match(const FixedText& field, const std::array<CodeRule, N>& rules) {
    for (const CodeRule& rule : rules) {
        if (field.find(rule.fragment) > 0) {
            return rule.code;
        }
    }
    return 0;
}

}  // namespace

std::int32_t laue_code_of(const FixedText& laue_field) {
    return first_match(laue_field, kLaueRules);
}

std::int32_t centering_code_of(const FixedText& centering_field) {
    return first_match(centering_field, kCenteringRules);
}

void derive_lattice_codes(SetupRecord& record) {
    record.laue_code = laue_code_of(record.laue_field);
    record.centering_code = centering_code_of(record.centering_field);
}

}  // namespace korvaline
