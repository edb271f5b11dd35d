#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace korvaline {

// saint.ini being written. The lines go to a new temporary file beside it;
// close() syncs that file and renames it onto saint.ini, so an existing
// saint.ini is replaced whole or not at all. If close() never succeeds, the
// destructor removes the temporary file and the old saint.ini stays as it was.
class SettingsFile {
  public:
    // Fails when `path` is a directory or a file the user may not write, or
    // when no temporary file can be made beside it.
    explicit SettingsFile(std::string path = "saint.ini");
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // The text and a line feed.
    void write_line(std::string_view text);
    // A line of one blank, which saint expects before every section header.
    void write_separator();
    // Writes out, syncs and puts the file in place under its name.
    void close();

  private:
    void write_out();
    [[noreturn]] void fail(std::string_view what, int error_number) const;

    std::string path_;
    std::string temporary_path_;
    int fd_ = -1;
    std::string pending_;
    bool committed_ = false;
};

// A section of saint.ini: a separator, the header such as "[SAINT]", then
// its key lines in order.
void write_section(SettingsFile& file, std::string_view header,
                   std::initializer_list<std::string> key_lines);

}  // namespace korvaline
