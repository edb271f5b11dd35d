#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace korvaline {

// A new file that takes the place of `target` whole, or not at all.
//
// The target is looked at once, when the ReplacementFile is made. A symbolic
// link is followed and the file it names is the one replaced (a dangling
// link: that file is created), so the link stays a link. A target that is not
// a regular file (a directory, a FIFO, a device, a socket), or one the user
// may not replace, is a Failure before anything is created.
//
// The new file is made beside the file it replaces, with that file's
// permissions and, where the system allows it, its owner and group (on
// Windows: its hidden and system attributes and an access list set on it);
// without an old file it gets the permissions of any new file. Until
// commit() the target is untouched. Whatever way the program leaves before
// the commit (a Failure, another exception, an interrupting signal or console
// event), the new file is removed.
class ReplacementFile {
  public:
    explicit ReplacementFile(const std::string& target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Appends `bytes`. A Failure names the target ("cannot write saint.ini:
    // <why>").
    void write(std::string_view bytes);

    // Syncs the new file, puts it in place of the target in one step, and
    // syncs the directory that holds it, so that a completed commit survives
    // a power cut. A failure of that last sync comes after the new file is in
    // place, and its Failure says so.
    void commit();

    class Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace korvaline
