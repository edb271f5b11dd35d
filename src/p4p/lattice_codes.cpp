#include "p4p/lattice_codes.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/failure.hpp"

namespace korvaline {

namespace {

struct CodeRule {
    std::string_view fragment;
    std::int32_t code;
};

// Order matters: the cubic m-3 and m-3m hold "-3" and are caught first by
// their own row; 6/mmm and 4/mmm hold "mmm" but are caught first by "6/m"
// and "4/m".
constexpr std::array<CodeRule, 10> kLaueRules = {{
    {"m3", 9},    // cubic
    {"m-3", 9},   // cubic, in today's notation
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

// The code of the first rule whose fragment the field holds; none when no
// rule matches.
template <std::size_t N>
std::optional<std::int32_t> first_match(const FixedText& field,
                                        const std::array<CodeRule, N>& rules) {
    for (const CodeRule& rule : rules) {
        if (field.find(rule.fragment) > 0) {
            return rule.code;
        }
    }
    return std::nullopt;
}

// A field with text that no rule knows gets code 0 like a blank one; the
// user is told, so that saint.ini is checked before saint runs.
template <std::size_t N>
void note_if_unknown(const FixedText& field, const std::array<CodeRule, N>& rules,
                     std::string_view what, Console& console) {
    if (!field.trimmed().empty() && !first_match(field, rules)) {
        console.note("unknown-symbol", std::string(what) + " " + quoted(field.trimmed()) +
                                           " is not in the table; code 0 written");
    }
}

}  // namespace

std::int32_t laue_code_of(const FixedText& laue_field) {
    return first_match(laue_field, kLaueRules).value_or(0);
}

std::int32_t centering_code_of(const FixedText& centering_field) {
    return first_match(centering_field, kCenteringRules).value_or(0);
}

void note_unknown_symbols(const SetupRecord& record, Console& console) {
    note_if_unknown(record.laue_field, kLaueRules, "Laue symbol", console);
    note_if_unknown(record.centering_field, kCenteringRules, "centering", console);
}

void derive_lattice_codes(SetupRecord& record) {
    record.laue_code = laue_code_of(record.laue_field);
    record.centering_code = centering_code_of(record.centering_field);
}

}  // namespace korvaline
