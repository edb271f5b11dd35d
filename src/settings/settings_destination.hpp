#pragma once

#include <optional>
#include <string>

namespace korvaline {

// Where the lines of saint.ini go, and the name that failures and notes give
// that file. A run without -C or -o writes saint.ini here and calls it so, as
// always. One that changed directory, or was given a file, may be one of a
// night's batch, whose log must say which crystal's file failed: it names the
// file by its absolute path. The file is opened by that same name, so that
// the name in a message is always the file that was meant.
class SettingsDestination {
  public:
    // saint.ini here, named "saint.ini".
    SettingsDestination() = default;

    // `output` as the command line gives it ("-": standard output), else
    // saint.ini; named in full when given or when `directory_changed`.
    static SettingsDestination chosen(const std::optional<std::string>& output,
                                      bool directory_changed);

    bool is_standard_output() const { return standard_output_; }
    const std::string& name() const { return name_; }

  private:
    std::string name_ = "saint.ini";
    bool standard_output_ = false;
};

}  // namespace korvaline
