#include "core/fixed_text.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/failure.hpp"
#include "core/format_int.hpp"
#include "fields.hpp"

namespace korvaline {
namespace {

TEST(FixedTextTest, AssignCutsOrFillsToTheWidth) {
    struct Case {
        std::size_t width;
        std::string source;
        std::string held;
    };
    const Case cases[] = {
        {20, "abcdefghijklmnopqrstu", "abcdefghijklmnopqrst"},
        {20, "T", "T                   "},
        {20, "", "                    "},
        {6, "TITLE", "TITLE "},
        {3, "\tx", "\tx "},
        {1, "42", "4"},
        {7, std::string("a\0b", 3), std::string("a\0b    ", 7)},
    };
    for (const Case& c : cases) {
        const FixedText text = field(c.width, c.source);
        EXPECT_EQ(text.text(), c.held) << "source '" << c.source << "'";
        EXPECT_EQ(text.width(), c.width);
    }
}

TEST(FixedTextTest, AssignReplacesAllEarlierContent) {
    FixedText text = field(20, "a long earlier name");
    text.assign("ab");
    EXPECT_EQ(text.text(), "ab                  ");
}

TEST(FixedTextTest, TrimmedDropsOnlyTrailingBlanks) {
    const struct {
        std::string source;
        std::string trimmed;
    } cases[] = {
        {"", ""}, {"   ", ""}, {" abc ", " abc"}, {"my xtal", "my xtal"}, {"tab\t", "tab\t"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(field(20, c.source).trimmed(), c.trimmed) << "'" << c.source << "'";
    }
    EXPECT_EQ(field(20, field(20, "").trimmed() + "1.001").text(), "1.001               ");
}

TEST(FixedTextTest, FindGivesPositionFromOneOrZero) {
    const struct {
        std::size_t width;
        std::string content;
        std::string needle;
        std::size_t position;
    } cases[] = {
        {6, "TITLE", "TITLE", 1},   {6, "TITLE", "SYMM", 0},
        {6, " TITLE", "TITLE", 2},  {6, "xxSYMM", "SYMM", 3},
        {6, "BRAVAX", "BRAVAI", 0}, {6, "SAINOVxyz", "SAINOV", 1},
        {6, "title", "TITLE", 0},   {3, "abc", "abcd", 0},
        {7, "2/m", "2/m ", 1},  // trailing blanks take part
        {7, "m-3m", "m3", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(field(c.width, c.content).find(c.needle), c.position)
            << "'" << c.needle << "' in '" << c.content << "'";
    }
}

TEST(FixedTextTest, EqualsExtendsTheShorterWithBlanks) {
    EXPECT_TRUE(field(20, "T").equals("T"));
    EXPECT_FALSE(field(20, "F").equals("T"));
    EXPECT_TRUE(field(20, "T").equals("T    "));
    EXPECT_FALSE(field(20, " T").equals("T"));
    EXPECT_TRUE(field(3, "ab").equals("ab                      "));
    EXPECT_FALSE(field(3, "ab").equals("ab                     x"));
}

TEST(FormatIntTest, RightJustifiesOrFillsWithAsterisks) {
    const struct {
        std::int32_t value;
        std::size_t width;
        std::string text;
    } cases[] = {
        {5, 3, "  5"},   {12, 2, "12"},    {12, 3, " 12"},  {0, 3, "  0"},
        {999, 3, "999"}, {1000, 3, "***"}, {-1, 1, "*"},    {-1, 2, "-1"},
        {7, 1, "7"},     {10, 1, "*"},     {-12, 3, "-12"}, {-123, 3, "***"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format_int(c.value, c.width), c.text) << c.value << " in " << c.width;
    }
}

// A message stays one line whatever a name in it holds.
TEST(PrintableTest, ControlCharactersAreEscaped) {
    EXPECT_EQ(printable("'qu\nartz' ' \tR' [SA\x1b[31mINT]\r\x7f caf\xc3\xa9"),
              "'qu\\nartz' ' \\tR' [SA\\x1b[31mINT]\\r\\x7f caf\xc3\xa9");
}

}  // namespace
}  // namespace korvaline
