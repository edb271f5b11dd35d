#include "setup/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvaline {
namespace {

// What the command line asks for, in a few words, or its usage error.
std::string read(std::vector<std::string> words) {
    words.insert(words.begin(), "korvaline");
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const CommandLine line = read_command_line(static_cast<int>(words.size()), argv.data());
    if (!line.usage_error.empty()) {
        return "usage: " + line.usage_error;
    }
    const char* tasks[] = {"set up", "template", "version", "help"};
    const GivenAnswers& given = line.answers;
    std::string directories;
    for (const std::string& directory : line.directories) {
        directories += " C=" + directory;
    }
    return tasks[static_cast<int>(line.task)] + (" project=" + given.project_name.value_or("-")) +
           " p4p=" + given.p4p_name.value_or("-") + (given.accept_offered_p4p ? " yes" : "") +
           (given.find_project ? " found here" : "") +
           (line.profile.named ? " profile=" + *line.profile.named : "") +
           (line.profile.refused ? " no-profile" : "") + directories +
           (line.output ? " output=" + *line.output : "");
}

TEST(CommandLineTest, OptionsByGnuConventions) {
    using Words = std::vector<std::string>;
    const struct {
        Words words;
        std::string read;
    } cases[] = {
        {{}, "set up project=- p4p=-"},
        {{"-p", "abc", "-y"}, "set up project=abc p4p=- yes"},
        {{"--project=my xtal", "--p4p", "x.p4p"}, "set up project=my xtal p4p=x.p4p"},
        {{"--proj", "abc", "--ye"}, "set up project=abc p4p=- yes"},
        {{"--profile", "lab.ini"}, "set up project=- p4p=- profile=lab.ini"},
        {{"--find", "-y"}, "set up project=- p4p=- yes found here"},
        {{"--no-profile"}, "set up project=- p4p=- no-profile"},
        {{"--profile-template"}, "template project=- p4p=-"},
        {{"-V", "--profile-template"}, "version project=- p4p=-"},
        {{"--version", "-h"}, "help project=- p4p=-"},
        {{"-C", "a", "--dir=../b", "-o-", "-Cc"}, "set up project=- p4p=- C=a C=../b C=c output=-"},
        {{"-yp", "abc", "--", "-p"}, "usage: unexpected argument '-p'"},
        {{"--frobnicate"}, "usage: unknown option '--frobnicate'"},
        {{"--pro", "x"}, "usage: option '--pro' is ambiguous"},
        {{"-x"}, "usage: unknown option '-x'"},
        {{"-y\xC3\xA9"}, "usage: unknown option '-\xC3\xA9'"},
        {{"-p", "q\n[SAINT]\nX", "-y"},
         "usage: the name given to --project holds a control character"},
        {{"--p4p"}, "usage: option '--p4p' needs an argument"},
        {{"-p", "abc", "-C"}, "usage: option '-C' needs an argument"},
        {{"--output"}, "usage: option '--output' needs an argument"},
        {{"-o", ""}, "usage: --output needs a file name, or - for standard output"},
        {{"--yes=no"}, "usage: option '--yes' takes no argument"},
        {{"-y", "--p4p=x"}, "usage: --yes and --p4p cannot be used together"},
        {{"-p", "abc", "--find-project"},
         "usage: --find-project and --project cannot be used together"},
        {{"--profile=", "--no-profile"},
         "usage: --profile and --no-profile cannot be used together"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.words), c.read) << testing::PrintToString(c.words);
    }
}

}  // namespace
}  // namespace korvaline
