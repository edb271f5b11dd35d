#pragma once

#include <string>

namespace korvaline {

// A new file beside `target`, created exclusively under an unpredictable
// name, that commit_to_target() renames onto the target. Until then the
// target is untouched; if the commit never comes, the destructor removes
// the file, whatever path the program leaves by.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }

    // Syncs and closes the file, then renames it onto the target.
    void commit_to_target();

  private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace korvaline
