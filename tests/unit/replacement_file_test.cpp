// The save's protocol over a disk in memory, where any step can fail.

#include "save/replacement_file.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <memory>

#include "core/failure.hpp"
#include "failure_message.hpp"
#include "settings/settings_file.hpp"

namespace korvaline {
namespace {

using Contents = std::map<std::string, std::string>;

// Names and the files they stand for: two names may stand for one file. The
// step named `failing` fails at its call `failing_call` (1 for the first).
class FakeDisk final : public FileOperations {
  public:
    std::map<std::string, std::shared_ptr<std::string>> names;
    std::string failing;
    int failing_call = 1;
    std::string interrupted_from;  // "start", "in place" or none

    explicit FakeDisk(const Contents& given) {
        for (const auto& [name, text] : given) {
            names[name] = std::make_shared<std::string>(text);
        }
    }
    Contents contents() const {
        Contents all;
        for (const auto& [name, file] : names) {
            all[name] = *file;
        }
        return all;
    }

    SaveTarget look_at(const std::string& name) override { return {name, names.contains(name)}; }
    NameRoom name_room(const std::string& path) override { return {path.size(), 255}; }
    std::vector<std::string> names_beside(const std::string& path) override {
        std::vector<std::string> beside;
        for (const auto& [name, file] : names) {
            if (name.starts_with(path)) {
                beside.push_back(name);
            }
        }
        return beside;
    }
    int create_new(const std::string& path, bool, FileHandle&) override {
        if (fault("create") != 0 || names.contains(path)) {
            return fault_ != 0 ? fault_ : EEXIST;
        }
        names[open_ = path] = std::make_shared<std::string>();
        return 0;
    }
    bool already_exists(int error) const override { return error == EEXIST; }
    int write(FileHandle, std::string_view bytes) override {
        return fault("write") != 0 ? ENOSPC : (names.at(open_)->append(bytes), 0);
    }
    int sync(FileHandle) override { return fault("sync"); }
    int close(FileHandle) override { return fault("close"); }
    int link(const std::string& existing, const std::string& new_name) override {
        if (fault("link") != 0 || names.contains(new_name)) {
            return fault_ != 0 ? fault_ : EEXIST;
        }
        names[new_name] = names.at(existing);
        return 0;
    }
    void keep(const std::string&) noexcept override {}
    // Two names of one file stay as they are, as rename() leaves them.
    int rename_over(const std::string& from, const std::string& to) override {
        if (fault("rename") == 0 && names[to] != names.at(from)) {
            names[to] = names.at(from);
            names.erase(from);
            interruption_ = interrupted_from == "in place" && from == open_;
        }
        return fault_;
    }
    void remove(const std::string& path) noexcept override {
        if (fault("remove") == 0) {
            names.erase(path);
        }
    }
    int sync_directory(const std::string&) override { return fault("directory sync"); }
    std::string settle_metadata(const SaveTarget&, FileHandle, const std::string& name) override {
        if (fault("metadata") != 0) {
            throw Failure("cannot give the new " + name +
                          " the access control list of the old one");
        }
        return "";
    }
    void hold_interruptions() override { interruption_ = interrupted_from == "start"; }
    std::string interruption() override { return interruption_ ? "Terminated" : ""; }
    void release_interruptions() noexcept override { interruption_ = false; }

  private:
    int fault(const std::string& step) {
        fault_ = step == failing && ++calls_ == failing_call ? EIO : 0;
        return fault_;
    }

    std::string open_;
    int calls_ = 0;
    int fault_ = 0;
    bool interruption_ = false;
};

const Contents kGiven = {{"saint.ini", "old"}, {"saint.ini~", "older"}};
const Contents kSaved = {{"saint.ini", "new"}, {"saint.ini~", "old"}};
const Contents kNumbered = {
    {"saint.ini", "new"}, {"saint.ini.~1~", "old"}, {"saint.ini~", "older"}};
const Contents kBackupOnly = {{"saint.ini", "old"}, {"saint.ini~", "old"}};

// saint.ini ("old") and an older simple backup, "new" saved with a backup:
// whatever step fails, the old file is whole under its name, no other name
// is left, and the failure names the file.
TEST(ReplacementFileTest, EachStepFailingLeavesTheOldFileWholeAndNamesIt) {
    const BackupChoice none{};
    const BackupChoice simple{BackupControl::kSimple, "~"};
    const BackupChoice numbered{BackupControl::kNumbered, "~"};
    const struct {
        std::string failing;
        int call;
        BackupChoice backup;
        std::string message;  // the failure's start, or "(no failure)"
        Contents after;       // every name left, with its contents
    } saves[] = {
        {"", 1, simple, "(no failure)", kSaved},
        {"", 1, numbered, "(no failure)", kNumbered},
        {"create", 1, simple, "cannot create a temporary file beside saint.ini: ", kGiven},
        {"metadata", 1, simple, "cannot give the new saint.ini the access control list", kGiven},
        {"write", 1, simple, "cannot write saint.ini: ", kGiven},
        {"sync", 1, simple, "cannot sync saint.ini: ", kGiven},
        {"close", 1, simple, "cannot close saint.ini: ", kGiven},
        {"link", 1, simple, "cannot make the backup saint.ini~: ", kGiven},
        {"link", 1, numbered, "cannot make the backup saint.ini.~1~: ", kGiven},
        {"rename", 1, simple, "cannot make the backup saint.ini~: ", kGiven},
        {"rename", 2, simple, "cannot replace saint.ini: ", kBackupOnly},
        {"rename", 1, none, "cannot replace saint.ini: ", kGiven},
        {"remove", 1, simple, "(no failure)", kSaved},
        {"directory sync", 1, simple,
         "saint.ini has been written but may not survive a crash: cannot sync its directory",
         kSaved},
    };
    for (const auto& save : saves) {
        SCOPED_TRACE(save.failing + " " + std::to_string(save.call));
        FakeDisk disk(kGiven);
        disk.failing = save.failing;
        disk.failing_call = save.call;
        const std::string message = failure_message([&] {
            ReplacementFile file("saint.ini", disk);
            file.write("new");
            file.commit(save.backup);
            EXPECT_EQ(file.backup_made(), save.after == kNumbered ? "saint.ini.~1~" : "saint.ini~");
        });
        EXPECT_TRUE(message.starts_with(save.message)) << message;
        EXPECT_EQ(disk.contents(), save.after);
    }
}

// Before the rename an interruption keeps the old file; after it, the caller
// has the last word, which the settings layer prints escaped.
TEST(ReplacementFileTest, InterruptionKeepsTheOldFileOrHasTheLastWord) {
    FakeDisk disk(Contents{{"saint.ini", "old"}});
    disk.interrupted_from = "start";
    EXPECT_EQ(failure_message([&] { ReplacementFile("saint.ini", disk).commit(); }),
              "cannot replace saint.ini: interrupted: Terminated");
    EXPECT_EQ(disk.contents(), Contents({{"saint.ini", "old"}}));

    const std::string name = "x\x1b[31mRED/saint.ini";
    FakeDisk named(Contents{{name, "old"}});
    named.interrupted_from = "in place";
    testing::internal::CaptureStderr();
    SettingsFile file(name, named);
    file.write_line("new");
    file.close();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "korvaline: x\\x1b[31mRED/saint.ini has been written, but the program was "
              "interrupted: Terminated\n");
    EXPECT_EQ(named.contents(), Contents({{name, "new\n"}}));
}

}  // namespace
}  // namespace korvaline
