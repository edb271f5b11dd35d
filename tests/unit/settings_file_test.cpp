#include "settings/settings_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "scratch_directory.hpp"

namespace korvaline {
namespace {

using SettingsFileTest = SaintIniTest;

TEST_F(SettingsFileTest, CloseReplacesTheOldFileWhole) {
    std::ofstream(path_, std::ios::binary) << std::string(10'000, 'x') << '\n';
    SettingsFile file(path_);
    for (const char* line : {" ", "[SAINT]", "NROWS=512", "NCOLS=512"}) {
        file.write_line(line);
    }
    file.close();
    EXPECT_EQ(content(path_), " \n[SAINT]\nNROWS=512\nNCOLS=512\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SettingsFileTest, WithoutCloseNothingChangesAndNothingIsLeft) {
    std::ofstream(path_, std::ios::binary) << "old\n";
    {
        SettingsFile file(path_);
        file.write_line(" ");
        file.write_line(std::string(100'000, 'y'));
        EXPECT_EQ(entries(), 2u);  // saint.ini and the file being written
    }
    EXPECT_EQ(content(path_), "old\n");
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace korvaline
