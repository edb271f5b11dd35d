#include "save/replacement_file.hpp"

#include <random>

#include "core/failure.hpp"
#include "platform/name_exists.hpp"
#include "platform/system_error.hpp"

namespace korvaline {

namespace {

// How many names are tried for a new file before the directory is taken to
// be full of them.
constexpr int kMostTries = 1000;

// What the names of new files beside the target are made of.
constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// What a temporary name adds to the name it starts from: ".XXXXXX".
constexpr std::size_t kTemporarySuffix = 7;

// What a temporary name beside `path` starts from: `path`, or, where the
// suffix would make its last part longer than the directory allows, `path`
// with that part shortened, so that any name that can be created can be
// replaced.
std::string temporary_stem(const std::string& path, const NameRoom& room) {
    if (room.longest <= kTemporarySuffix || room.length + kTemporarySuffix <= room.longest) {
        return path;
    }
    return path.substr(0, path.size() - (room.length + kTemporarySuffix - room.longest));
}

// `stem` and a full stop and six letters drawn at random: a name for a new
// file beside the target.
std::string name_beside(const std::string& stem, std::random_device& random) {
    std::string name = stem + ".";
    for (int letter = 0; letter < 6; ++letter) {
        name += kNameLetters[random() % kNameLetters.size()];
    }
    return name;
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target, FileOperations& operations)
    : operations_(operations), name_(target), target_(operations.look_at(target)) {
    operations_.hold_interruptions();
    try {
        create_beside_target();
        note_ = operations_.settle_metadata(target_, file_, name_);
    } catch (...) {
        discard();
        throw;
    }
}

ReplacementFile::~ReplacementFile() {
    discard();
}

void ReplacementFile::discard() noexcept {
    if (file_open_) {
        file_open_ = false;
        operations_.close(file_);
    }
    if (new_file_exists_) {
        new_file_exists_ = false;
        operations_.remove(new_path_);
    }
    operations_.release_interruptions();
}

// Makes a name beside the target that nothing has yet, by `make`, and gives
// it in `made`; the error of the last try, or 0.
int ReplacementFile::make_name_beside(const std::function<int(const std::string&)>& make,
                                      std::string& made) {
    std::random_device random;
    const std::string stem = temporary_stem(target_.path, operations_.name_room(target_.path));
    int error = 0;
    for (int tries = 0; tries < kMostTries; ++tries) {
        made = name_beside(stem, random);
        error = make(made);
        if (!operations_.already_exists(error)) {
            break;
        }
    }
    return error;
}

void ReplacementFile::create_beside_target() {
    const int error = make_name_beside(
        [this](const std::string& path) {
            return operations_.create_new(path, target_.exists, file_);
        },
        new_path_);
    if (error != 0) {
        fail_with_system_error("cannot create a temporary file beside " + name_, error);
    }
    file_open_ = new_file_exists_ = true;
}

void ReplacementFile::write(std::string_view bytes) {
    if (const int error = operations_.write(file_, bytes); error != 0) {
        fail_with_system_error("cannot write " + name_, error);
    }
}

// A second link to the old file under the backup's name: through a new name
// beside it and a rename, so that an older backup is replaced whole.
void ReplacementFile::keep_old_file(const BackupChoice& backup) {
    const std::string backup_path = backup_name(
        target_.path, backup, operations_.names_beside(target_.path), names_ignore_case());
    // A numbered backup takes a name that nothing has: where one turns out to
    // have it, the save fails rather than lose an older backup.
    if (is_numbered_backup(target_.path, backup, backup_path)) {
        if (const int error = operations_.link(target_.path, backup_path); error != 0) {
            fail_with_system_error("cannot make the backup " + backup_path, error);
        }
        operations_.keep(backup_path);
        backup_made_ = backup_path;
        return;
    }
    std::string link_path;
    const auto link = [this](const std::string& path) {
        return operations_.link(target_.path, path);
    };
    if (const int error = make_name_beside(link, link_path); error != 0) {
        fail_with_system_error("cannot make the backup " + backup_path, error);
    }
    const int error = operations_.rename_over(link_path, backup_path);
    // Gone after the rename, but where the backup's name is already a link
    // to the old file, which a rename leaves as it is.
    operations_.remove(link_path);
    if (error != 0) {
        fail_with_system_error("cannot make the backup " + backup_path, error);
    }
    backup_made_ = backup_path;
}

// An interruption that came while the new file was made ends the program
// here, the last moment at which the old file can stay: the new one goes
// first.
void ReplacementFile::end_if_interrupted() {
    const std::string interruption = operations_.interruption();
    if (!interruption.empty()) {
        discard();
        // Reached only where something handles that signal and goes on.
        throw Failure("cannot replace " + name_ + ": interrupted: " + interruption);
    }
}

void ReplacementFile::commit(const BackupChoice& backup, const LastWord& last_word) {
    if (const int error = operations_.sync(file_); error != 0) {
        fail_with_system_error("cannot sync " + name_, error);
    }
    file_open_ = false;
    if (const int error = operations_.close(file_); error != 0) {
        fail_with_system_error("cannot close " + name_, error);
    }
    end_if_interrupted();
    if (backup.wanted() && target_.exists) {
        keep_old_file(backup);
    }
    if (const int error = operations_.rename_over(new_path_, target_.path); error != 0) {
        fail_with_system_error("cannot replace " + name_, error);
    }
    new_file_exists_ = false;
    const int sync_error = operations_.sync_directory(target_.path);
    const std::string unsynced =
        name_ + " has been written but may not survive a crash: cannot sync its directory";
    if (const std::string interruption = operations_.interruption();
        !interruption.empty() && last_word) {
        last_word(sync_error != 0 ? unsynced + ": " + system_error_text(sync_error)
                                  : name_ + " has been written, but the program was " +
                                        "interrupted: " + interruption);
    }
    operations_.release_interruptions();
    if (sync_error != 0) {
        fail_with_system_error(unsynced, sync_error);
    }
}

}  // namespace korvaline
