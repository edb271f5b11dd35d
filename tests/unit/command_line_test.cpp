#include "setup/command_line.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace korvaline {
namespace {

const char* backup_controls[] = {"none", "numbered", "existing", "simple"};

// What the command line asks for, in a few words, or its usage error;
// `environment` holds VERSION_CONTROL and SIMPLE_BACKUP_SUFFIX, if anything.
std::string read(std::vector<std::string> words, std::vector<std::string> environment = {}) {
    words.insert(words.begin(), "korvaline");
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const auto lookup = [&](const std::string& name) -> std::optional<std::string> {
        const std::size_t at = name == "VERSION_CONTROL" ? 0 : 1;
        return at < environment.size() ? std::optional(environment[at]) : std::nullopt;
    };
    const CommandLine line = read_command_line(static_cast<int>(words.size()), argv.data(), lookup);
    if (!line.usage_error.empty()) {
        return "usage: " + line.usage_error;
    }
    const char* tasks[] = {"set up", "template", "version", "help"};
    const GivenAnswers& given = line.answers;
    std::string directories;
    for (const std::string& directory : line.directories) {
        directories += " C=" + directory;
    }
    for (const std::string& profile : line.profile.named) {
        directories += " profile=" + profile;
    }
    for (const Profile& set : line.profile.set) {
        const Profile::Entry& entry = set.entries.at(0);
        directories += " [" + entry.section + "]" + entry.key + "=" + entry.value;
    }
    std::string accepted;
    for (const std::string& name : line.accepted_notes) {
        accepted += " accept=" + name;
    }
    return tasks[static_cast<int>(line.task)] + (" project=" + given.project_name.value_or("-")) +
           " p4p=" + given.p4p_name.value_or("-") + (given.accept_offered_p4p ? " yes" : "") +
           (given.find_project ? " found here" : "") + (line.profile.refused ? " no-profile" : "") +
           directories + (line.output ? " output=" + *line.output : "") +
           (line.source ? " source=" + *line.source : "") + (line.strict ? " strict" : "") +
           accepted +
           (line.settled_minutes != 0 ? " settled=" + std::to_string(line.settled_minutes) : "") +
           (line.show_origin ? " show-origin" : "") +
           (line.backup.wanted()
                ? " backup=" + (backup_controls[static_cast<int>(line.backup.control)] +
                                (" " + line.backup.suffix))
                : "");
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
        {{"--profile=", "--no-profile"}, "set up project=- p4p=- no-profile"},
        {{"--profile=a", "--no-profile", "--profile", "b", "--profile=c"},
         "set up project=- p4p=- no-profile profile=b profile=c"},
        {{"--set", "NROWS=1024", "--set=SCALE_WAVE = 1.54184"},
         "set up project=- p4p=- [SAINT]NROWS=1024 [SCALE]SCALE_WAVE=1.54184"},
        {{"--set", "NROWS=banana"},
         "usage: --set NROWS=banana: NROWS takes a whole number such as 512, not 'banana'"},
        {{"--set=FOO=1"}, "usage: --set FOO=1: FOO is not a key of saint.ini"},
        {{"--set=NROWS"}, "usage: --set NROWS: not KEY=VALUE"},
        {{"--set= =1"}, "usage: --set  =1: not KEY=VALUE"},
        {{"--set=NROWS=" + std::string(4091, '1')},
         "usage: --set NROWS=...: the line is longer than 4096 characters"},
        {{"--source="}, "usage: --source needs a target such as CU"},
        {{"--set=TITLE=x"},
         "usage: --set TITLE=x: TITLE comes from the project, its runs or its P4P file; a "
         "profile cannot set it"},
        {{"--set=SCALOUTNAME=a\x1b[2J"},
         "usage: --set SCALOUTNAME=a\x1b[2J: the value of SCALOUTNAME holds a control character"},
        {{"--source", "cu", "--strict"}, "set up project=- p4p=- source=CU strict"},
        {{"--accept=frame-gap,title-cut", "--strict", "--acc", "log", "--settled", "0"},
         "set up project=- p4p=- strict accept=frame-gap accept=title-cut accept=log"},
        {{"--accept=frame-gap,"},
         "usage: --accept frame-gap,: '' is not the name of a note such as frame-gap"},
        {{"--accept=gap"},
         "usage: --accept gap: 'gap' is not the name of a note such as frame-gap"},
        {{"--settled=10", "--show-origin"}, "set up project=- p4p=- settled=10 show-origin"},
        {{"--settled=527040"}, "set up project=- p4p=- settled=527040"},
        {{"--settled=527041"},
         "usage: --settled 527041: takes a whole number of minutes such as 10, 0 for no check"},
        {{"--settled=-1"},
         "usage: --settled -1: takes a whole number of minutes such as 10, 0 for no check"},
        {{"--settled=5m"},
         "usage: --settled 5m: takes a whole number of minutes such as 10, 0 for no check"},
        {{"--settled="},
         "usage: --settled : takes a whole number of minutes such as 10, 0 for no check"},
        {{"--source=COPPER"},
         "usage: --source COPPER: COPPER is not a chemical element's symbol "
         "such as CU"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.words), c.read) << testing::PrintToString(c.words);
    }
}

// The backup options settle as GNU cp's do, the variables filling in what
// the options leave open.
TEST(CommandLineTest, BackupsAsGnuCpMakesThem) {
    using Words = std::vector<std::string>;
    const struct {
        Words words;
        Words environment;  // VERSION_CONTROL, SIMPLE_BACKUP_SUFFIX
        std::string backup;
    } cases[] = {
        {{"-p", "x"}, {"numbered", ".old"}, ""},
        {{"-b"}, {}, " backup=existing ~"},
        {{"--backup"}, {"t", ".old"}, " backup=numbered .old"},
        {{"--backup"}, {"", "a/b"}, " backup=existing ~"},
        {{"--backup=never", "-b"}, {"numbered"}, " backup=simple ~"},
        {{"--backup=nu"}, {}, " backup=numbered ~"},
        {{"--backup="}, {"numbered"}, " backup=numbered ~"},
        {{"--backup=never", "--backup="}, {}, " backup=existing ~"},
        {{"-b", "--backup=off"}, {}, ""},
        {{"-S", ".bak"}, {"simple", ".old"}, " backup=simple .bak"},
        {{"--suffix=.bak", "--backup=nil"}, {}, " backup=existing .bak"},
        {{"--backup=n"},
         {},
         "usage: --backup=n: not a backup control (none, off, numbered, t, existing, nil, simple, "
         "never)"},
        {{"-b"},
         {"bogus"},
         "usage: VERSION_CONTROL=bogus: not a backup control (none, off, numbered, t, existing, "
         "nil, simple, never)"},
        {{"-b", "--suffix=a/b"},
         {},
         "usage: --suffix a/b: a backup suffix is not empty and holds no / or \\"},
    };
    for (const auto& c : cases) {
        std::string read_line = read(c.words, c.environment);
        read_line.erase(0, read_line.starts_with("set up") ? read_line.find(" p4p=-") + 6 : 0);
        EXPECT_EQ(read_line, c.backup) << testing::PrintToString(c.words);
    }
}

}  // namespace
}  // namespace korvaline
