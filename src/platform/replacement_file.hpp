#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/backup_names.hpp"

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
// permissions and, where the system allows it, its owner and group; on
// POSIX also its access control list (or the save fails, since without it
// the group could gain access) and, where the file system takes them, its
// user.* extended attributes; on Windows its hidden and system attributes and
// an access list set on it.
// Where the old file's group cannot be kept, the new file's group gets no
// more than the old file gave others, and note() says so.
// Without an old file it gets the permissions of any new file. Until commit()
// the target is untouched. Whatever way the program leaves before the commit
// (a Failure, another exception, an interrupting signal or console event),
// the new file is removed.
//
// On POSIX every signal that would end the program and can be caught, but
// SIGPIPE and SIGXFSZ (which the program ignores, so that a failed write is
// reported), is held back from the making of the new file until its directory
// is synced. One that came before the rename removes the new file instead of
// renaming it and then ends the program as it would have; one that came after
// it waits for the directory's sync, then ends the program after a line on
// standard error that says the file has been written. A signal that the
// caller of the program ignores stays ignored.
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
    //
    // Where `backup` is wanted and an old file is replaced, the old file
    // itself (its bytes, owner, group, mode and access lists) takes the
    // backup's name first, as a second link, so that its contents are never
    // under neither name; an older backup of that name is replaced in one
    // step. A backup that cannot be made is a Failure before the target is
    // touched.
    void commit(const BackupChoice& backup = {});

    // What the user should know of the new file, once made: that it could
    // not keep the old one's group, whose access it does not pass on to its
    // own. Empty when there is nothing to tell.
    const std::string& note() const;

    class Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace korvaline
