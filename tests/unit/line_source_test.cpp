#include "setup/line_source.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "failure_message.hpp"

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
        {"a\r\rb\r\r\n", 20, {"a\r\rb\r"}},
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

TEST(LineSourceTest, ReadsFromADescriptorAcrossBufferBoundaries) {
    // The CR of the second line ends one read of the file, its LF starts the next.
    const std::string second = "TITLE" + std::string(528, 'x');
    const std::string text = std::string(65'000, 'a') + "\r\n" + second + "\r";
    ASSERT_EQ(text.size(), 65'536u);
    const std::string rest = "\nend";
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fwrite(rest.data(), 1, rest.size(), file);
    std::fflush(file);
    std::rewind(file);
    LineSource source(::fileno(file), "temporary file");
    std::string line;
    ASSERT_TRUE(source.read_line(33, line));
    EXPECT_EQ(line, std::string(33, 'a'));
    ASSERT_TRUE(source.read_line(1000, line));
    EXPECT_EQ(line, second);
    ASSERT_TRUE(source.read_line(33, line));
    EXPECT_EQ(line, "end");
    EXPECT_FALSE(source.read_line(33, line));
    std::fclose(file);
}

TEST(LineSourceTest, OpeningAMissingFileNamesIt) {
    EXPECT_EQ(failure_message(
                  [] { LineSource::open_file("no-such-file.p4p", "P4P file 'no-such-file.p4p'"); }),
              "cannot open P4P file 'no-such-file.p4p': No such file or directory");
}

}  // namespace
}  // namespace korvaline
