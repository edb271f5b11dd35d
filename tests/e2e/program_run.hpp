#pragma once

#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "scratch_directory.hpp"

namespace korvaline::e2e {

// A fresh directory for one run of the program, removed afterwards, and a
// scratch directory beside it for what must not lie in the run's directory.
class Workspace {
  public:
    Workspace();

    const std::filesystem::path& dir() const { return dir_; }
    const std::filesystem::path& scratch() const { return scratch_; }

  private:
    ScratchDirectory root_;
    std::filesystem::path dir_;
    std::filesystem::path scratch_;
};

struct RunOptions {
    std::vector<std::string> arguments;  // after the program's name
    std::string input;                   // standard input, byte for byte
    std::string output_path;             // standard output goes here when set (such as /dev/full)
    std::string output_before;           // what the captured standard output holds before the run
    bool output_closed = false;          // standard output is a pipe nobody reads
    std::string errors_path;             // standard error goes here when set, uncaptured
    mode_t umask = 022;
    // Run as the user nobody when the tests run as root, so that permissions
    // count; the run's directory is handed to that user.
    bool unprivileged = false;
    rlim_t file_size_limit = RLIM_INFINITY;
    bool ignore_file_size_signal = true;  // with a limit: SIGXFSZ ignored, or left at default
    bool measure_memory = false;          // runs the program under /usr/bin/time
    // Called with the program's process id while it runs, standard input then
    // being a pipe that stays open after `input`.
    std::function<void(pid_t)> meanwhile;
};

struct RunResult {
    int exit_status = -1;  // -1 when the program did not exit normally
    std::string output;    // after `output_before`
    std::string errors;
    long peak_memory_kib = 0;
};

// Runs the program under test in `workspace.dir()`: the korvaline built here,
// or the command the build was given (see tests/CMakeLists.txt).
RunResult run_program(const Workspace& workspace, const RunOptions& options);

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& content);

// Empty files <base>.001 to <base>.<last>, as frames.
void make_frames(const std::filesystem::path& dir, const std::string& base, int first, int last);

// A project abc with two frames in run 1 and its P4P file abc1.p4p, whose
// title is "Test compound" and Laue symbol mmm.
void lay_out_project(const Workspace& workspace);

// The names in `dir`.
std::set<std::string> list_names(const std::filesystem::path& dir);

}  // namespace korvaline::e2e
