#pragma once

#include <string>
#include <string_view>

#include "platform/file_handles.hpp"

namespace korvaline {

// A file the program has opened by name, or standard input: closed when it
// goes, unless the program does not own it.
class OpenedFile {
  public:
    // The file that `opening` opened, or a Failure that names `name` and what
    // was found: "cannot open <name>: <why>", or, for what was found once the
    // file was open (it is a FIFO, say), `found_once_open` and the name
    // ("cannot read <name>: it is a FIFO, not a regular file").
    static OpenedFile from(const Opening& opening, const std::string& name,
                           std::string_view found_once_open);

    static OpenedFile not_owned(FileHandle handle) { return OpenedFile(handle, false); }

    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&&) = delete;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    ~OpenedFile();

    FileHandle handle() const { return handle_; }

  private:
    OpenedFile(FileHandle handle, bool owned) : handle_(handle), owned_(owned) {}

    FileHandle handle_;
    bool owned_;
};

}  // namespace korvaline
