#include "program_run.hpp"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "fields.hpp"
#include "posix_user.hpp"
#include "program_under_test.hpp"

namespace korvaline::e2e {

namespace fs = std::filesystem;

Workspace::Workspace() : dir_(root_.path() / "project"), scratch_(root_.path() / "scratch") {
    fs::create_directory(dir_);
    fs::create_directory(scratch_);
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void make_frames(const fs::path& dir, const std::string& base, int first, int last) {
    for (const std::string& name : frame_series(base, first, last)) {
        write_file(dir / name, "");
    }
}

void lay_out_project(const Workspace& workspace) {
    make_frames(workspace.dir(), "abc1", 1, 2);
    write_file(workspace.dir() / "abc1.p4p", "TITLE Test compound\nSYMM   mmm\n");
}

std::set<std::string> list_names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

namespace {

// Standard output: the file at `path`, or a pipe whose reading end is closed.
int open_output(const RunOptions& options, const std::string& path) {
    if (options.output_closed) {
        int ends[2];
        if (::pipe(ends) != 0) {
            return -1;
        }
        ::close(ends[0]);
        return ends[1];
    }
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
}

// What env(1) is given for a run, so that no user's profile is used: HOME,
// APPDATA and PROGRAMDATA in the scratch directory, no XDG_CONFIG_HOME or
// KORVALINE_PROFILE; nor the site's: KORVALINE_SITE_PROFILE names one there.
std::vector<std::string> environment_words(const Workspace& workspace) {
    std::vector<std::string> words = {"-u", "XDG_CONFIG_HOME", "-u", "KORVALINE_PROFILE"};
    for (const std::string name : {"HOME", "APPDATA", "PROGRAMDATA", "KORVALINE_SITE_PROFILE"}) {
        words.push_back(name + "=" + (workspace.scratch() / name).string());
    }
    return words;
}

// The command that starts the program under test; run as nobody, a copy in
// the scratch directory, since the checkout may be closed to other users.
std::vector<std::string> program_words(const Workspace& workspace, const RunOptions& options) {
    std::vector<std::string> words = {KORVALINE_PROGRAM_COMMAND};
    if (options.unprivileged && running_as_root()) {
        fs::copy_file(words.back(), workspace.scratch() / "korvaline",
                      fs::copy_options::overwrite_existing);
        words.back() = (workspace.scratch() / "korvaline").string();
    }
    return words;
}

// The words that start the program through env(1), under /usr/bin/time when
// its memory is measured, ending in nullptr.
std::vector<const char*> command_words(const RunOptions& options, const std::string& memory_path,
                                       const std::vector<std::string>& environment,
                                       const std::vector<std::string>& program) {
    std::vector<const char*> words;
    if (options.measure_memory) {
        words = {"/usr/bin/time", "-f", "%M", "-o", memory_path.c_str()};
    }
    words.push_back("/usr/bin/env");
    for (const std::string& word : environment) {
        words.push_back(word.c_str());
    }
    for (const std::string& word : program) {
        words.push_back(word.c_str());
    }
    for (const std::string& argument : options.arguments) {
        words.push_back(argument.c_str());
    }
    words.push_back(nullptr);
    return words;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void exec_child(const Workspace& workspace, const RunOptions& options,
                             const std::string& input_path, int input_pipe,
                             const std::string& output_path, const std::string& errors_path,
                             const std::vector<const char*>& command) {
    const int input = input_pipe >= 0 ? input_pipe : ::open(input_path.c_str(), O_RDONLY);
    const int output = open_output(options, output_path);
    const int errors =
        ::open(options.errors_path.empty() ? errors_path.c_str() : options.errors_path.c_str(),
               O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0 || errors < 0 || ::dup2(input, 0) < 0 || ::dup2(output, 1) < 0 ||
        ::dup2(errors, 2) < 0 || ::chdir(workspace.dir().c_str()) != 0) {
        ::_exit(127);
    }
    ::umask(options.umask);
    if (options.unprivileged && running_as_root() &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0)) {
        ::_exit(127);
    }
    if (options.file_size_limit != RLIM_INFINITY) {
        const rlimit limit{options.file_size_limit, options.file_size_limit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, options.ignore_file_size_signal ? SIG_IGN : SIG_DFL);
    }
    // execvp takes the words as char* const[] but changes none of them.
    ::execvp(command[0], const_cast<char* const*>(command.data()));
    ::_exit(127);
}

}  // namespace

RunResult run_program(const Workspace& workspace, const RunOptions& options) {
    const fs::path input_path = workspace.scratch() / "stdin";
    const fs::path captured_output = workspace.scratch() / "stdout";
    const fs::path errors_path = workspace.scratch() / "stderr";
    const fs::path memory_path = workspace.scratch() / "memory";
    write_file(input_path, options.input);
    const std::string output_path =
        options.output_path.empty() ? captured_output.string() : options.output_path;
    if (options.output_path.empty()) {
        write_file(captured_output, options.output_before);
    }
    if (options.unprivileged && running_as_root()) {
        fs::path::string_type dir = workspace.dir().native();
        if (::chown(dir.c_str(), kNobody, kNoGroup) != 0) {
            throw std::runtime_error("cannot hand " + dir + " to nobody");
        }
    }

    const std::string memory = memory_path.string();
    const std::vector<std::string> environment = environment_words(workspace);
    const std::vector<std::string> program = program_words(workspace, options);
    const std::vector<const char*> command = command_words(options, memory, environment, program);

    int input_pipe[2] = {-1, -1};
    if (options.meanwhile && ::pipe2(input_pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        exec_child(workspace, options, input_path.string(), input_pipe[0], output_path,
                   errors_path.string(), command);
    }
    if (options.meanwhile) {
        ::close(input_pipe[0]);
        [[maybe_unused]] const auto written =
            ::write(input_pipe[1], options.input.data(), options.input.size());
        options.meanwhile(child);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (options.meanwhile) {
        ::close(input_pipe[1]);
    }

    RunResult result;
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (options.output_path.empty()) {
        result.output = read_file(captured_output).substr(options.output_before.size());
    }
    result.errors = options.errors_path.empty() ? read_file(errors_path) : "";
    if (options.measure_memory) {
        // time(1) writes a note first when the program fails; the figure is last.
        std::istringstream report(read_file(memory_path));
        for (std::string line; std::getline(report, line);) {
            result.peak_memory_kib = std::atol(line.c_str());
        }
    }
    fs::remove(input_path);
    return result;
}

}  // namespace korvaline::e2e
