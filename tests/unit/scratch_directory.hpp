#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace korvaline {

// A test with a fresh directory of its own, removed afterwards.
class ScratchDirectoryTest : public testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        for (int tries = 0; tries < 100 && dir_.empty(); ++tries) {
            const auto candidate = std::filesystem::temp_directory_path() /
                                   ("korvaline-unit-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                dir_ = candidate;
            }
        }
        ASSERT_FALSE(dir_.empty()) << "no scratch directory could be made";
    }
    void TearDown() override {
        if (!dir_.empty()) {
            // A read-only file is removed too, where the system asks for that.
            std::error_code ignored;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_)) {
                if (entry.is_symlink(ignored) || !entry.is_regular_file(ignored)) {
                    continue;
                }
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::add, ignored);
            }
            std::filesystem::remove_all(dir_);
        }
    }

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

    std::filesystem::path dir_;
};

// A scratch directory where saint.ini is written.
class SaintIniTest : public ScratchDirectoryTest {
  protected:
    void SetUp() override {
        ScratchDirectoryTest::SetUp();
        path_ = (dir_ / "saint.ini").string();
    }

    std::string path_;
};

}  // namespace korvaline
