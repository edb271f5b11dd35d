#include "p4p/lattice_codes.hpp"

#include <gtest/gtest.h>

#include <string>

#include "fields.hpp"
#include "scripted_console.hpp"

namespace korvaline {
namespace {

TEST(LatticeCodesTest, LaueCodeFromTheFirstFragmentFound) {
    const struct {
        std::string symbol;
        std::int32_t code;
    } cases[] = {
        {"m3", 9},   {"m3m", 9},    {"m-3", 9},   {"m-3m", 9}, {"-3", 8},    {"-3m", 8},
        {"-31m", 8}, {"6/m", 7},    {"6/mmm", 7}, {"4/m", 6},  {"4/mmm", 6}, {"mmm", 5},
        {"2/mA", 4}, {"2/mB", 3},   {"2/mC", 2},  {"2/m", 0},  {"2/mD", 0},  {"-1", 1},
        {"", 0},     {"MMM", 0},    {"mMm", 0},   {"4/M", 0},  {"2/ma", 0},  {"1", 0},
        {" -1", 1},  {"2/m -1", 1}, {"m -3", 8},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(laue_code_of(field(7, c.symbol)), c.code) << "'" << c.symbol << "'";
    }
}

TEST(LatticeCodesTest, CenteringCodeFromTheFirstFragmentFound) {
    const struct {
        std::string centering;
        std::int32_t code;
    } cases[] = {
        {"X", 8},  {"PX", 8}, {"IXC", 8}, {"Rr", 7}, {"Ro", 6},  {"R", 0},   {"R ", 0}, {"Rx", 0},
        {"RI", 5}, {"I", 5},  {"F", 4},   {"C", 3},  {"B", 2},   {"A", 1},   {"P", 0},  {"", 0},
        {"IC", 5}, {"CI", 5}, {"c", 0},   {"rr", 0}, {"abc", 0}, {"  C", 3}, {"AB", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(centering_code_of(field(6, c.centering)), c.code) << "'" << c.centering << "'";
    }
}

TEST(LatticeCodesTest, TextNoRowKnowsIsNoted) {
    const struct {
        std::string laue;
        std::string centering;
        std::string notes;
    } cases[] = {
        {"mmm", "C", ""},
        {"", "", ""},
        {"-1", "P", ""},
        {"2/m", "P",
         "korvaline: note: Laue symbol '2/m' is not in the table; code 0 written "
         "[unknown-symbol]\n"},
        {"m3m", "R",
         "korvaline: note: centering 'R' is not in the table; code 0 written [unknown-symbol]\n"},
        {"mmm", "c",
         "korvaline: note: centering 'c' is not in the table; code 0 written [unknown-symbol]\n"},
        {"4/M", "rr",
         "korvaline: note: Laue symbol '4/M' is not in the table; code 0 written [unknown-symbol]\n"
         "korvaline: note: centering 'rr' is not in the table; code 0 written [unknown-symbol]\n"},
    };
    for (const auto& c : cases) {
        SetupRecord record;
        record.laue_field.assign(c.laue);
        record.centering_field.assign(c.centering);
        ScriptedConsole scripted("", {});
        note_unknown_symbols(record, scripted.console);
        EXPECT_EQ(scripted.notes, c.notes) << "'" << c.laue << "', '" << c.centering << "'";
    }
}

TEST(LatticeCodesTest, DeriveSetsBothCodesFromTheRecord) {
    SetupRecord record;
    record.laue_field.assign("mmm");
    record.centering_field.assign("C");
    derive_lattice_codes(record);
    EXPECT_EQ(record.laue_code, 5);
    EXPECT_EQ(record.centering_code, 3);
}

}  // namespace
}  // namespace korvaline
