#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace korvaline {

// A fresh directory of its own under the system's temporary directory,
// removed with all it holds when it goes, read-only files and closed
// directories included.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::random_device random;
        for (int tries = 0; tries < 100 && path_.empty(); ++tries) {
            const auto candidate = std::filesystem::temp_directory_path() /
                                   ("korvaline-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path_ = candidate;
            }
        }
        if (path_.empty()) {
            throw std::runtime_error("no scratch directory could be made");
        }
    }
    ~ScratchDirectory() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (auto entry = fs::recursive_directory_iterator(path_, ignored);
             entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
            if (entry->is_symlink(ignored)) {
                continue;
            }
            // Before the iterator steps into a directory, it is opened to it.
            const auto wanted =
                entry->is_directory(ignored) ? fs::perms::owner_all : fs::perms::owner_write;
            fs::permissions(entry->path(), wanted, fs::perm_options::add, ignored);
        }
        fs::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A test with a scratch directory of its own.
class ScratchDirectoryTest : public testing::Test {
  protected:
    // The bytes of the file at `path`.
    static std::string content(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // How many names the scratch directory holds.
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                      std::filesystem::directory_iterator()));
    }

    ScratchDirectory scratch_;
    const std::filesystem::path& dir_ = scratch_.path();
};

// A scratch directory where saint.ini is written.
class SaintIniTest : public ScratchDirectoryTest {
  protected:
    std::string path_ = (dir_ / "saint.ini").string();
};

}  // namespace korvaline
