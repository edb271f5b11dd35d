#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "save/replacement_file.hpp"
#include "settings/settings_destination.hpp"

namespace korvaline {

// saint.ini being written. The lines go to a new file beside it that close()
// puts in place, so an existing saint.ini is replaced whole or not at all: a
// failure part-way, or an interruption, leaves the old file as it was and no
// trace of the new one. Sent to standard output instead, the lines go out
// as they come, and nothing on disk changes.
class SettingsFile {
  public:
    // Fails when `path` is not a regular file, is one the user may not
    // write, or when no new file can be made beside it.
    explicit SettingsFile(const std::string& path = "saint.ini");
    explicit SettingsFile(const SettingsDestination& destination);
    // The same, made of the given steps (a test's disk).
    SettingsFile(const std::string& path, FileOperations& operations);

    // The text and a line feed. A text that holds a line ending (LF, or a CR,
    // which ends a line for many readers) would be two lines where one is
    // meant, another section or key among them: it is a Failure, and the
    // old file stays. So is any other control character but the tab.
    void write_line(std::string_view text);
    // Writes out and syncs the lines and puts the file in place for good,
    // the old file, if any, kept as `backup` says. Where an interruption
    // comes once the file is in place, a last line on standard error says
    // so before it ends the program.
    void close(const BackupChoice& backup = {});

    // What the user should know of the new file: that it could not keep the
    // old one's group, say. Empty when there is nothing to tell.
    std::string note() const { return file_ ? file_->note() : std::string(); }

    // The name of the backup that close() made, or empty for none.
    std::string backup_made() const { return file_ ? file_->backup_made() : std::string(); }

  private:
    void write_out();

    std::string name_;
    std::optional<ReplacementFile> file_;  // none: standard output
    std::string pending_;
};

}  // namespace korvaline
