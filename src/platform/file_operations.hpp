#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_handles.hpp"

namespace korvaline {

// Writes all of `bytes` to `file`, untranslated, however many writes that
// takes; the error of the write that failed, or 0.
int write_all(FileHandle file, std::string_view bytes);

// What a name to be saved stands for, looked at once.
struct SaveTarget {
    std::string path;  // the file replaced or created: symbolic links followed
    bool exists = false;
    // What the old file's metadata was when looked at, as the system keeps
    // it: on POSIX its owner, group and mode; on Windows its attributes.
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint32_t mode = 0;
};

// How much of a name there is room for: the length of a path's last part,
// and the most that part may have there.
struct NameRoom {
    std::size_t length = 0;
    std::size_t longest = 0;
};

// The steps a file is saved by, each one system call or a few, with no more
// policy than the system imposes: the save itself (its names, the backup,
// the order of the steps) is built of them above this layer, and tests give
// it a disk of their own. A step that fails gives the system's error (as
// last_system_error() reads it), 0 where it succeeds, so that the caller
// names what failed.
class FileOperations {
  public:
    virtual ~FileOperations() = default;

    // The file `name` stands for once symbolic links are followed (a dangling
    // link: the file it names). A Failure ("cannot replace <name>: <why>")
    // where that is not a regular file, one the user may not replace, or the
    // links cannot be followed.
    virtual SaveTarget look_at(const std::string& name) = 0;
    virtual NameRoom name_room(const std::string& path) = 0;
    // The names beside `path` that start with its last part (see
    // names_beside).
    virtual std::vector<std::string> names_beside(const std::string& path) = 0;

    // Creates `path`, which must not exist yet, open for writing: with the
    // rights of any new file there, or, where it is to replace an old file
    // (`replacing`), open to no one else until it has the old one's.
    virtual int create_new(const std::string& path, bool replacing, FileHandle& file) = 0;
    virtual bool already_exists(int error) const = 0;
    virtual int write(FileHandle file, std::string_view bytes) = 0;
    virtual int sync(FileHandle file) = 0;
    virtual int close(FileHandle file) = 0;
    // A second name for the file at `existing`; never over a name in use.
    virtual int link(const std::string& existing, const std::string& new_name) = 0;
    // A name that create_new() or link() made is the user's from here, and
    // stays whatever interruption comes.
    virtual void keep(const std::string& path) noexcept = 0;
    // Puts `from` in place of `to` in one step; what stood there is gone.
    virtual int rename_over(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) noexcept = 0;
    // Syncs the directory that holds `path`, so that its names survive a
    // power cut.
    virtual int sync_directory(const std::string& path) = 0;

    // Gives the new file what it is to keep of `old` (owner, group, mode,
    // access lists, attributes), as far as the system allows; a new file
    // with no old one, the owner a new file gets (see
    // give_new_file_its_directory_owner). What the user should be told
    // (a group that cannot be kept), or empty. A Failure where the new file
    // would give someone more access than the old one did.
    virtual std::string settle_metadata(const SaveTarget& old, FileHandle file,
                                        const std::string& name) = 0;

    // Holds back what would end the program (signals on POSIX) from here
    // until release_interruptions(), so that none ends it halfway through a
    // step. On Windows a console event ends the program at any moment, after
    // removing the names the steps made and have not yet taken away or kept.
    virtual void hold_interruptions() = 0;
    // What came meanwhile and ends the program once released ("Terminated"),
    // or empty.
    virtual std::string interruption() = 0;
    virtual void release_interruptions() noexcept = 0;
};

// The system's own.
FileOperations& system_file_operations();

// Where the program runs as root (POSIX) and has just created the file at
// `path` where none was, that file gets the owner and group of the directory
// that holds it, so that a file made for a user in their folder by a batch
// run as root is theirs. A new saint.ini gets this, and so should any other
// file the program creates beside it. Nothing happens otherwise, nor on
// Windows; a refusal is passed over, the file staying root's.
void give_new_file_its_directory_owner(const std::string& path);

// Gives the file just created at `path` the owner, group and permission bits
// of the file at `model` (a log beside the saint.ini it records, say), as far
// as the system allows: anyone but root the group where they belong to it.
// Run as root, the file takes its directory's owner and group instead, as
// every new file root makes. The bits never give more than `model` gives to
// the group the file gets. A symbolic link
// at `path` is not followed. Nothing on Windows; a refusal is passed over.
void give_new_file_the_owner_and_mode_of(const std::string& path, const std::string& model);

}  // namespace korvaline
