#include "console/line_source.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "scratch_directory.hpp"

namespace korvaline {
namespace {

std::vector<std::string> lines_of(const std::string& text, std::size_t keep) {
    LineSource source = LineSource::from_text(text);
    std::vector<std::string> lines;
    for (std::string line; source.read_line(keep, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(LineSourceTest, SplitsLinesAndKeepsTheirStart) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string text;
        std::size_t keep;
        Lines lines;
    } cases[] = {
        {"", 20, {}},
        {"\n", 20, {""}},
        {"abc\n\ndef\n", 20, {"abc", "", "def"}},
        {"last line without feed", 20, {"last line without fe"}},
        {"abc\r\ndef\r\n", 20, {"abc", "def"}},
        {"abc\r\n\r\n", 20, {"abc", ""}},
        {"abc\r", 20, {"abc"}},
        {"a\rb\n", 20, {"a\rb"}},
        {"a\r\rb\r\r\n", 20, {"a\r\rb"}},
        {"abc\r\r\ndef\r\r\r\n", 20, {"abc", "def"}},
        {"abc\r\r", 20, {"abc"}},
        {"\r\r\n", 20, {""}},
        {"abc\r\n", 3, {"abc"}},
        {"ab\r\n", 3, {"ab"}},
        {"ab\rc\n", 3, {"ab\r"}},
        {"abcdef\nxyz\n", 3, {"abc", "xyz"}},
        {"yes please\nno\n", 1, {"y", "n"}},
        {"\r\n", 1, {""}},
        {std::string("a\0b\n", 4), 20, {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines_of(c.text, c.keep), c.lines) << "text '" << c.text << "'";
    }
}

TEST(LineSourceTest, ReadsALongLineWithoutKeepingIt) {
    const std::string long_line(1'000'000, 'x');
    const auto lines = lines_of(long_line + "\r\nnext\r\n", 20);
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(20, 'x'), "next"}));
}

TEST(LineSourceTest, TellsWhatWasCutAndWhetherLinesEndInReturnsOnly) {
    const struct {
        std::string text;
        std::size_t keep;
        std::vector<bool> cut;  // per line read
        bool returns_only;
    } cases[] = {
        {"abc\n", 3, {false}, false},
        {"abc   \r\n", 3, {false}, false},
        {"abcd\n", 3, {true}, false},
        {"abc  x\nab\n", 3, {true, false}, false},
        {"ab\r\rc\n", 3, {true}, false},
        {"abc\r\n", 3, {false}, false},
        {"TITLE x\rSYMM mmm\rSAINOV\r", 6, {true}, true},
        {"TITLE\rSYMM\r", 33, {false}, true},
        {"a\rb\nc\r", 33, {false, false}, false},
    };
    for (const auto& c : cases) {
        LineSource source = LineSource::from_text(c.text);
        std::vector<bool> cut;
        for (std::string line; source.read_line(c.keep, line);) {
            cut.push_back(source.last_line_was_cut());
        }
        EXPECT_EQ(cut, c.cut) << "text '" << c.text << "'";
        EXPECT_EQ(source.lines_end_in_carriage_returns_only(), c.returns_only)
            << "text '" << c.text << "'";
    }
}

using InputFileTest = ScratchDirectoryTest;

TEST_F(InputFileTest, ReadsAcrossBufferBoundaries) {
    // The CR of the second line ends one read of the file, its LF starts the next.
    const std::string second = "TITLE" + std::string(528, 'x');
    const std::string text = std::string(65'000, 'a') + "\r\n" + second + "\r";
    ASSERT_EQ(text.size(), 65'536u);
    const std::string path = (dir_ / "big.p4p").string();
    std::ofstream(path, std::ios::binary) << text << "\nend";
    LineSource source(InputFile::open_regular_file(path, "big file"));
    std::string line;
    ASSERT_TRUE(source.read_line(33, line));
    EXPECT_EQ(line, std::string(33, 'a'));
    ASSERT_TRUE(source.read_line(1000, line));
    EXPECT_EQ(line, second);
    ASSERT_TRUE(source.read_line(33, line));
    EXPECT_EQ(line, "end");
    EXPECT_FALSE(source.read_line(33, line));
}

}  // namespace
}  // namespace korvaline
