#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "files/opened_file.hpp"

namespace korvaline {

// Bytes read in order from standard input or from a file, never translated.
class InputFile {
  public:
    // Standard input, not owned; `name` names it in messages.
    static InputFile standard_input(std::string name);

    // Opens `path` for reading; `name` names it in messages, such as
    // "P4P file 'abc1.p4p'". Only a regular file is accepted, after links are
    // followed: a directory, FIFO, device or socket is a Failure ("cannot read
    // <name>: it is a FIFO, not a regular file"), found without waiting for
    // a writer and without reading a byte.
    static InputFile open_regular_file(const std::string& path, const std::string& name);

    // The same, but none where nothing of that name exists (a file looked
    // for in a place it may well not be). A symbolic link to nothing is no
    // absence but a Failure that names where it points: what it stands for
    // is missing (on a share that is not mounted, say). Where `refusal` is
    // given, a refusal for lack of permission (to search a directory on the
    // way, or to read the file) gives none as well, and `refusal` the
    // system's reason.
    static std::optional<InputFile> open_if_present(const std::string& path,
                                                    const std::string& name,
                                                    std::string* refusal = nullptr);

    // The same for a file that a symbolic link must not stand for (a log
    // the program also writes): a link is a Failure ("cannot open <name>: it
    // is a symbolic link, which is not followed").
    static std::optional<InputFile> open_if_present_unless_link(const std::string& path,
                                                                const std::string& name);

    // Reads up to `size` bytes into `buffer`; 0 only at the end of the input.
    // A read error is a Failure ("cannot read <name>: <why>"). Text typed in
    // a Windows console arrives in the ANSI code page, as file names want it.
    std::size_t read(char* buffer, std::size_t size);

    const std::string& name() const { return name_; }

  private:
    InputFile(OpenedFile file, std::string name);

    OpenedFile file_;
    std::string name_;
    // What the system gave and has not yet been handed out: console text,
    // once converted, may be longer than the bytes asked for.
    std::string read_;
    std::size_t handed_ = 0;
};

}  // namespace korvaline
