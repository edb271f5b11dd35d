#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/opened_file.hpp"

namespace korvaline {

// A file that records are added to at its end, each in one write, so that
// two programs adding at once each leave theirs whole: a log beside the
// files a program writes. Its name is never followed as a symbolic link, and
// only a regular file is taken: a FIFO is refused without waiting for a
// reader.
class AppendFile {
  public:
    // `path` opened to append to; none where there is no such file yet. A
    // symbolic link, a FIFO, a directory, a device, or a file the user may not
    // write is a Failure "cannot open <name>: <why>".
    static std::optional<AppendFile> open_existing(const std::string& path,
                                                   const std::string& name);

    // `path` made anew, with the owner, group and mode of the file `like`
    // where the system allows it (a group that cannot be kept gives the group
    // no more than others have), so that it shows no more than that file;
    // where another program made it meanwhile, that one is opened as by
    // open_existing. Failures as there.
    static AppendFile create_like(const std::string& path, const std::string& like,
                                  const std::string& name);

    // Adds `record` at the end in one write; a write cut short or failed is a
    // Failure "cannot write <name>: <why>".
    void append(std::string_view record);

  private:
    AppendFile(OpenedFile file, std::string name)
        : file_(std::move(file)), name_(std::move(name)) {}

    OpenedFile file_;
    std::string name_;
};

}  // namespace korvaline
