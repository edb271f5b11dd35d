#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "console/line_source.hpp"
#include "core/fixed_text.hpp"
#include "core/note_names.hpp"

namespace korvaline {

// Where the console's bytes go: standard output or standard error in the
// program, a string in tests. A sink reports a lost write as a Failure.
using OutputSink = std::function<void(std::string_view)>;

// The user's side of the program: whole lines out, one answer line in, and
// notes on standard error where the program cannot use an answer as it was
// given. Lines are collected and pushed out before every read and at flush(),
// and every push is checked, so a lost write (a full disk, a closed pipe)
// stops the program instead of letting it end as if all went well.
class Console {
  public:
    Console(LineSource& input, OutputSink output, OutputSink notes);
    // Shows what is still collected, so that the lines before a failure
    // stand before its message; a write that fails then is not reported.
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The text as it stands, then a line feed.
    void write_line(std::string_view text);
    // A message line: one blank, then the text.
    void message(std::string_view text);
    // An empty line, then the message: how every prompt and status appears.
    void announce(std::string_view text);
    // "korvaline: note: <text> [<name>]" on standard error, after the lines
    // so far. `name` is one of kNoteKinds'.
    void note(std::string_view name, std::string_view text);
    void note(const Note& note) { this->note(note.name, note.text); }
    // A note that input can repeat without end (one for each answer, say):
    // the first kRepeatsNoted named `name` are given, the rest only counted.
    void repeatable_note(std::string_view name, std::string_view text);
    // "<count> more <what>" for the notes named `name` that were only counted
    // since the last time, if any.
    void note_repeats_passed_over(std::string_view name, std::string_view what);

    static constexpr std::size_t kRepeatsNoted = 3;

    // Shows everything written so far, then reads the next line into `field`
    // (its first field.width() characters). Returns whether the line held
    // more than blanks beyond the field, text the program cannot use. End of
    // input is a Failure that names the `awaited` answer and, when the
    // question follows a name that was looked for in vain, that name as the
    // cause.
    bool read_answer(FixedText& field, std::string_view awaited,
                     const FixedText* looked_for_in_vain = nullptr);

    // Pushes out the lines collected so far; a failed write is a Failure.
    void flush();

    // Every note given so far, in order.
    const std::vector<Note>& notes_given() const { return notes_given_; }

  private:
    LineSource& input_;
    OutputSink output_;
    OutputSink notes_;
    std::string pending_;
    std::vector<Note> notes_given_;
    // For each repeatable note's name: how many were given, how many since
    // only counted. The names are the program's own, so the map stays small.
    struct Repeats {
        std::size_t given = 0;
        std::size_t passed_over = 0;
    };
    std::map<std::string, Repeats, std::less<>> repeats_;
};

// The current directory as messages name it: its path, or "the current
// directory" where the system cannot tell it.
std::string this_directory();

// "<name> does not exist in <the current directory>": why a name was refused.
std::string missing_here(const FixedText& name);

}  // namespace korvaline
