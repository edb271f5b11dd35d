// The save's protocol over a disk in memory, where any step can fail.

#include "save/replacement_file.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <memory>
#include <vector>

#include "core/failure.hpp"
#include "failure_message.hpp"
#include "settings/settings_file.hpp"

namespace korvaline {
namespace {

// Names and the contents they stand for: two names may stand for one file.
// `failing` names a step and which of its calls fails (1 for the first).
class FakeDisk final : public FileOperations {
  public:
    using File = std::shared_ptr<std::string>;
    std::map<std::string, File> names;
    std::string failing;
    int failing_call = 1;
    std::string interrupted_from;  // "start", "in place" or none
    std::size_t longest_name = 255;
    std::vector<std::string> created;

    SaveTarget look_at(const std::string& name) override { return {name, names.contains(name)}; }
    NameRoom name_room(const std::string& path) override { return {path.size(), longest_name}; }
    std::vector<std::string> names_beside(const std::string& path) override {
        std::vector<std::string> beside;
        for (const auto& [name, file] : names) {
            if (name.starts_with(path)) {
                beside.push_back(name);
            }
        }
        return beside;
    }
    int create_new(const std::string& path, bool, FileHandle& file) override {
        if (fails("create")) {
            return EIO;
        }
        if (names.contains(path)) {
            return EEXIST;
        }
        created.push_back(path);
        names[path] = std::make_shared<std::string>();
        open_ = path;
        file = 7;
        return 0;
    }
    bool already_exists(int error) const override { return error == EEXIST; }
    int write(FileHandle, std::string_view bytes) override {
        return fails("write") ? ENOSPC : (names.at(open_)->append(bytes), 0);
    }
    int sync(FileHandle) override { return fails("sync") ? EIO : 0; }
    int close(FileHandle) override { return fails("close") ? EIO : 0; }
    int link(const std::string& existing, const std::string& new_name) override {
        if (fails("link")) {
            return EPERM;
        }
        return names.contains(new_name) ? EEXIST : (names[new_name] = names.at(existing), 0);
    }
    void keep(const std::string&) noexcept override {}
    // Two names of one file stay as they are, as rename() leaves them.
    int rename_over(const std::string& from, const std::string& to) override {
        if (fails("rename")) {
            return EACCES;
        }
        if (names.contains(to) && names.at(to) == names.at(from)) {
            return 0;
        }
        names[to] = names.at(from);
        names.erase(from);
        interruption_ = interrupted_from == "in place" && from == open_;
        return 0;
    }
    void remove(const std::string& path) noexcept override {
        if (!fails("remove")) {
            names.erase(path);
        }
    }
    int sync_directory(const std::string&) override { return fails("directory sync") ? EIO : 0; }
    std::string settle_metadata(const SaveTarget&, FileHandle, const std::string& name) override {
        if (fails("metadata")) {
            throw Failure("cannot give the new " + name +
                          " the access control list of the old one");
        }
        return "";
    }
    void hold_interruptions() override { interruption_ = interrupted_from == "start"; }
    std::string interruption() override { return interruption_ ? "Terminated" : ""; }
    void release_interruptions() noexcept override { interruption_ = false; }

    // Each name and its contents.
    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> all;
        for (const auto& [name, file] : names) {
            all[name] = *file;
        }
        return all;
    }

  private:
    bool fails(const std::string& step) { return step == failing && ++calls_ == failing_call; }

    std::string open_;
    int calls_ = 0;
    bool interruption_ = false;
};

using Contents = std::map<std::string, std::string>;

// saint.ini ("old") and an older simple backup; "new" saved with `backup`.
struct Save {
    std::string failing;
    int call = 1;
    BackupChoice backup;
    std::string message;  // the failure's start, or "(no failure)"
    Contents after;       // every name left, with its contents
};

const Contents kUntouched = {{"saint.ini", "old"}, {"saint.ini~", "older"}};
const Contents kSaved = {{"saint.ini", "new"}, {"saint.ini~", "old"}};

TEST(ReplacementFileTest, EachStepFailingLeavesTheOldFileWholeAndNamesIt) {
    const BackupChoice numbered{BackupControl::kNumbered, "~"};
    const BackupChoice none{};
    const BackupChoice simple{BackupControl::kSimple, "~"};
    const Save saves[] = {
        {"", 1, simple, "(no failure)", kSaved},
        {"",
         1,
         numbered,
         "(no failure)",
         {{"saint.ini", "new"}, {"saint.ini.~1~", "old"}, {"saint.ini~", "older"}}},
        {"create", 1, simple, "cannot create a temporary file beside saint.ini: ", kUntouched},
        {"metadata", 1, simple, "cannot give the new saint.ini the access control list",
         kUntouched},
        {"write", 1, simple, "cannot write saint.ini: ", kUntouched},
        {"sync", 1, simple, "cannot sync saint.ini: ", kUntouched},
        {"close", 1, simple, "cannot close saint.ini: ", kUntouched},
        {"link", 1, simple, "cannot make the backup saint.ini~: ", kUntouched},
        {"link", 1, numbered, "cannot make the backup saint.ini.~1~: ", kUntouched},
        {"rename", 1, simple, "cannot make the backup saint.ini~: ", kUntouched},
        {"rename",
         2,
         simple,
         "cannot replace saint.ini: ",
         {{"saint.ini", "old"}, {"saint.ini~", "old"}}},
        {"rename", 1, none, "cannot replace saint.ini: ", kUntouched},
        {"remove", 1, simple, "(no failure)", kSaved},
        {"directory sync", 1, simple,
         "saint.ini has been written but may not survive a crash: cannot sync its directory: ",
         kSaved},
    };
    for (const Save& save : saves) {
        SCOPED_TRACE(save.failing + " " + std::to_string(save.call));
        FakeDisk disk;
        disk.names = {{"saint.ini", std::make_shared<std::string>("old")},
                      {"saint.ini~", std::make_shared<std::string>("older")}};
        disk.failing = save.failing;
        disk.failing_call = save.call;
        const std::string message = failure_message([&] {
            ReplacementFile file("saint.ini", disk);
            file.write("new");
            file.commit(save.backup);
            EXPECT_EQ(file.backup_made(),
                      save.after.contains("saint.ini.~1~") ? "saint.ini.~1~" : "saint.ini~");
        });
        EXPECT_TRUE(message.starts_with(save.message)) << message;
        EXPECT_EQ(disk.contents(), save.after);
    }
}

// Where the directory allows no longer name, the temporary one is cut so
// that its suffix fits.
TEST(ReplacementFileTest, TemporaryNameFitsTheDirectory) {
    for (const std::size_t longest : {255u, 12u, 7u}) {
        FakeDisk disk;
        disk.longest_name = longest;
        ReplacementFile("saint.ini", disk);
        ASSERT_EQ(disk.created.size(), 1u);
        const std::string stem = longest == 12 ? "saint" : "saint.ini";
        EXPECT_EQ(disk.created[0].substr(0, disk.created[0].size() - 7), stem) << longest;
        EXPECT_EQ(disk.created[0].size(), stem.size() + 7);
        EXPECT_TRUE(disk.names.empty());
    }
}

// Before the rename an interruption keeps the old file; after it, the caller
// gets the last word, which the settings layer prints escaped.
TEST(ReplacementFileTest, InterruptionKeepsTheOldFileOrHasTheLastWord) {
    FakeDisk disk;
    disk.names = {{"saint.ini", std::make_shared<std::string>("old")}};
    disk.interrupted_from = "start";
    EXPECT_EQ(failure_message([&] {
                  ReplacementFile file("saint.ini", disk);
                  file.commit({}, [](std::string_view) { ADD_FAILURE() << "no last word"; });
              }),
              "cannot replace saint.ini: interrupted: Terminated");
    EXPECT_EQ(disk.contents(), Contents({{"saint.ini", "old"}}));

    const std::string name = "x\x1b[31mRED/saint.ini";
    disk.names = {{name, std::make_shared<std::string>("old")}};
    disk.interrupted_from = "in place";
    testing::internal::CaptureStderr();
    SettingsFile file(name, disk);
    file.write_line("new");
    file.close();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "korvaline: x\\x1b[31mRED/saint.ini has been written, but the program was "
              "interrupted: Terminated\n");
    EXPECT_EQ(disk.contents(), Contents({{name, "new\n"}}));
}

}  // namespace
}  // namespace korvaline
