#include "settings/settings_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "setup/failure.hpp"

namespace korvaline {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "korvaline-unit-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "saint.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string content() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(SettingsFileTest, CloseReplacesTheOldFileWhole) {
    std::ofstream(path_) << std::string(10'000, 'x') << '\n';
    SettingsFile file(path_);
    write_section(file, "[SAINT]", {"NROWS=512", "NCOLS=512"});
    file.close();
    EXPECT_EQ(content(), " \n[SAINT]\nNROWS=512\nNCOLS=512\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SettingsFileTest, WithoutCloseNothingChangesAndNothingIsLeft) {
    std::ofstream(path_) << "old\n";
    {
        SettingsFile file(path_);
        file.write_separator();
        file.write_line(std::string(100'000, 'y'));
        EXPECT_EQ(entries(), 2u);  // saint.ini and the file being written
    }
    EXPECT_EQ(content(), "old\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SettingsFileTest, DirectoryInTheWayIsAFailure) {
    fs::create_directory(path_);
    EXPECT_THROW(SettingsFile file(path_), Failure);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace korvaline
