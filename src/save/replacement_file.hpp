#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/backup_names.hpp"
#include "platform/file_operations.hpp"

namespace korvaline {

// A new file that takes the place of `target` whole, or not at all, made of
// the steps of a FileOperations (the system's, or a test's).
//
// The target is looked at once, when the ReplacementFile is made. A symbolic
// link is followed and the file it names is the one replaced (a dangling
// link: that file is created), so the link stays a link. A target that is not
// a regular file (a directory, a FIFO, a device, a socket), or one the user
// may not replace, is a Failure before anything is created.
//
// The new file is made beside the file it replaces, under the file's name, a
// full stop and six random letters, the name shortened where the directory
// allows no longer one. It gets what settle_metadata() gives it: the old
// file's permissions, owner and group as far as the system allows, its
// access lists and attributes. Until commit() the target is untouched.
// Whatever way the program leaves before the commit (a Failure, another
// exception, an interruption), the new file is removed.
//
// Interruptions are held back from the making of the new file until its
// directory is synced. One that came before the rename removes the new file
// instead of renaming it and then ends the program as it would have; one that
// came after it waits for the directory's sync, and ends the program once the
// caller has been given the last word on it.
class ReplacementFile {
  public:
    // Says what the user is to read last, before an interruption ends the
    // program: the file is in place.
    using LastWord = std::function<void(std::string_view)>;

    explicit ReplacementFile(const std::string& target,
                             FileOperations& operations = system_file_operations());
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
    // step, through a link under a new name beside it. A numbered backup
    // takes a name nothing has, or fails rather than lose an older backup.
    // A backup that cannot be made is a Failure before the target is touched.
    void commit(const BackupChoice& backup = {}, const LastWord& last_word = {});

    // What the user should know of the new file, once made: that it could
    // not keep the old one's group, whose access it does not pass on to its
    // own. Empty when there is nothing to tell.
    const std::string& note() const { return note_; }

    // The name of the backup commit() made, beside the file it replaced (the
    // target, or the file a link named), or empty for none.
    const std::string& backup_made() const { return backup_made_; }

  private:
    void create_beside_target();
    void keep_old_file(const BackupChoice& backup);
    int make_name_beside(const std::function<int(const std::string&)>& make, std::string& made);
    void end_if_interrupted();
    void discard() noexcept;

    FileOperations& operations_;
    std::string name_;
    SaveTarget target_;
    std::string new_path_;
    FileHandle file_ = 0;
    bool file_open_ = false;
    bool new_file_exists_ = false;
    std::string note_;
    std::string backup_made_;
};

}  // namespace korvaline
