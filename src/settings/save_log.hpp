#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/append_file.hpp"
#include "settings/saint_ini_lines.hpp"

namespace korvaline {

// The log's name: one in the directory of each file saved, not among the
// work files saint makes under ./work/.
inline constexpr std::string_view kSaveLogName = "korvaline.log";

// Whether `file` is named as the log is (-o korvaline.log): it gets no log,
// which would add its block to the file's own lines.
bool is_named_as_the_log(std::string_view file);

// What a block says of the run itself. The caller's, so that a block can
// be made without a clock or a network.
struct RunFacts {
    std::string time;  // "2026-12-01T02:00:00Z"
    std::string version;
    std::string user;  // a name, else a number
    std::string host;
    std::string directory;               // the working directory
    std::vector<std::string> arguments;  // the command line, the program first
};

// One save as its block in the log tells it.
struct SavedFile {
    RunFacts run;
    std::string file;                   // the file written, from the root
    std::string sha256;                 // of its bytes as written
    std::string backup;                 // empty: none made
    std::vector<std::string> profiles;  // as standard output names them
    std::vector<SaintIniLine> lines;    // the file's lines, with their origins
    // The lines that differ from the file the program wrote before, where
    // that file was left as written.
    std::vector<SaintIniLine> changed;
    std::string p4p;                // "abc1.p4p, 2345 bytes, modified 2026-11-30T12:00:00Z"
    std::vector<std::string> runs;  // "abc1, 60 frames"
    std::vector<std::string> notes;
};

// The block: a header line "== TIME FILE", then one "KEY: value" line each,
// then an empty line. Every line of saint.ini that does not hold its built-in
// value is a "line:" with its origin, a TAB and the line, as --show-origin
// shows it; "sha256:" is as sha256sum prints it.
std::string log_block(const SavedFile& saved);

// What the log says of the last save of one file.
struct LastSave {
    std::string time;  // as the block's header gives it
    std::string sha256;
};

// The last block in `log_text` for the file named `file` in the log's
// directory (the directory part is passed over, so that a folder moved with
// its log keeps its history) that gives a SHA-256; none where there is none.
std::optional<LastSave> last_save_of(std::string_view log_text, std::string_view file);

// "saint.ini was changed after korvaline wrote it on 2026-12-01 02:00 UTC;
// the new one differs in 2 lines (NFRAMES, TITLE); they are replaced":
// told when the old file is no longer what the program wrote, with the
// first three by name of the lines that differ. `before_the_save`: told where the
// save may yet be refused (--strict), they "would be replaced".
std::string hand_edit_note(const LastSave& last, const std::vector<const SaintIniLine*>& differing,
                           std::string_view settings_name, bool before_the_save);

// The log beside a file about to be saved: read for the file's last save,
// then opened to append to before anything is replaced. One that cannot be
// opened (a symbolic link, which is never followed, a FIFO, a directory, no
// permission) is a note, so that a strict run replaces nothing, and is not
// written.
class SaveLog {
  public:
    // The log in the directory of `file`; `in_full`: named from the root.
    SaveLog(const std::string& file, bool in_full);

    // The last save of the file `file` beside the log that the log tells
    // of; none where it tells of none or cannot be read.
    std::optional<LastSave> last_save_of(const std::string& file);

    // Opens the log, if there is one; returns why it cannot be used, as a
    // note says it, or nothing.
    std::string open();

    // Adds `block` in one write, a new log made with the owner, group and
    // mode of `saved_file`. Returns a note where that fails: the save stands.
    std::string append(const std::string& block, const std::string& saved_file);

  private:
    std::string path_;
    std::string name_;
    bool refused_ = false;
    // A block cut short (a full disk) ends without its line feed: the next
    // begins on a line of its own, or it could not be found.
    bool ends_in_a_cut_line_ = false;
    std::optional<AppendFile> file_;
};

// A command line as the log gives it: each argument as messages give a
// name, quoted where it holds a blank, a quote or nothing.
std::string command_line_text(const std::vector<std::string>& arguments);

}  // namespace korvaline
