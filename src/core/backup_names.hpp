#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvaline {

// The backups of an old saint.ini, made as GNU cp, mv and install make them:
// a simple backup is the file's name and a suffix (saint.ini~), a numbered
// one its name and .~N~, N one past the highest such backup beside it.
enum class BackupControl {
    kNone,      // none, off: no backup
    kNumbered,  // numbered, t
    kExisting,  // existing, nil: numbered where numbered backups are there already
    kSimple,    // simple, never
};

struct BackupChoice {
    BackupControl control = BackupControl::kNone;
    std::string suffix = "~";

    bool wanted() const { return control != BackupControl::kNone; }
};

// The control a word names: one of the words above, or the start of only one
// of them (or of several that mean the same), as GNU takes them.
std::optional<BackupControl> backup_control_named(std::string_view word);

// Whether `suffix` can end a backup's name: it is not empty and names no
// other directory, on any system (no / and no \).
bool is_backup_suffix(std::string_view suffix);

// The backup's name for the file at `path`, where `names_beside` are the
// names in its directory that start with it, with the same directory part.
// A numbered backup's number is one more than the highest taken, of any
// length, as cp counts. `ignore_case`: names are compared as a file system
// that ignores case compares them (Windows), so that SAINT.INI's backups
// count saint.ini.~1~.
std::string backup_name(const std::string& path, const BackupChoice& choice,
                        const std::vector<std::string>& names_beside, bool ignore_case = false);

// Whether `name`, as backup_name gives it, is a numbered backup's.
bool is_numbered_backup(const std::string& path, const BackupChoice& choice,
                        const std::string& name);

}  // namespace korvaline
