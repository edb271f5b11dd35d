// Runs that end in a failure, or that must survive hostile input, and that a
// directory of expected files cannot describe: faults that only a POSIX
// system can set up (file-size limits, /dev/full, users, the umask).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "posix_user.hpp"
#include "program_run.hpp"

namespace korvaline::e2e {
namespace {

TEST(FailureTest, LostWriteToStandardOutputIsAFailure) {
    const struct {
        RunOptions options;
        std::string errors;
    } cases[] = {
        {{.input = "abc\ny\n", .output_path = "/dev/full"},
         "korvaline: cannot write to standard output: No space left on device\n"},
        {{.input = "abc\ny\n", .output_closed = true},
         "korvaline: cannot write to standard output: Broken pipe\n"},
        // The program's own lines, which go to standard error under -o -.
        {{.arguments = {"-o", "-"}, .input = "abc\ny\n", .errors_path = "/dev/full"}, ""},
    };
    for (const auto& c : cases) {
        Workspace workspace;
        make_frames(workspace.dir(), "abc1", 1, 3);
        write_file(workspace.dir() / "abc1.p4p", "SYMM   mmm\n");
        const RunResult result = run_program(workspace, c.options);
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.errors, c.errors);
        EXPECT_FALSE(std::filesystem::exists(workspace.dir() / "saint.ini"));
    }
}

// The address sanitizer's shadow memory swamps the figure, so there the
// run is only checked for its output.
#if defined(KORVALINE_SANITIZED)
constexpr long kMostMemoryKib = 0;
#else
constexpr long kMostMemoryKib = 8 * 1024;
#endif

TEST(FailureTest, HundredMillionByteLineKeepsMemorySmall) {
    Workspace workspace;
    make_frames(workspace.dir(), "abc1", 1, 2);
    const std::string long_line = "abc" + std::string(100'000'000 - 3, ' ');
    const RunResult result =
        run_program(workspace, {.input = long_line + "\n", .measure_memory = true});
    EXPECT_NE(result.output.find(" SORTING FRAME FILES: abc1.001 =>   2\n"), std::string::npos)
        << result.output;
    EXPECT_GT(result.peak_memory_kib, 0);
    if (kMostMemoryKib > 0) {
        EXPECT_LT(result.peak_memory_kib, kMostMemoryKib);
    }
}

namespace fs = std::filesystem;

TEST(FailureTest, FailedSaveLeavesTheOldSaintIniAndNoTemporaryFile) {
    // The file-size limit's signal ignored by the caller, and at its default.
    for (const bool caller_ignores_signal : {true, false}) {
        SCOPED_TRACE(caller_ignores_signal ? "SIGXFSZ ignored" : "SIGXFSZ at default");
        Workspace workspace;
        lay_out_project(workspace);
        const std::string old_settings = " \n[SAINT]\nVERSION=an older run\n";
        write_file(workspace.dir() / "saint.ini", old_settings);
        const auto names_before = list_names(workspace.dir());

        const RunResult result =
            run_program(workspace, {.input = "abc\ny\n",
                                    .file_size_limit = 1000,
                                    .ignore_file_size_signal = caller_ignores_signal});

        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.errors, "korvaline: cannot write saint.ini: File too large\n");
        EXPECT_EQ(result.output.find("READY"), std::string::npos);
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini"), old_settings);
        EXPECT_EQ(list_names(workspace.dir()), names_before);
    }
}

// The access control list too, in a whole run, where failed existence tests
// have left errno set: user::rw- user:1000:r-- group::--- mask::r-- other::---.
TEST(FailureTest, SavedSaintIniKeepsThePermissionsAndOwnerOfTheOldOne) {
    Workspace workspace;
    lay_out_project(workspace);
    const fs::path settings = workspace.dir() / "saint.ini";
    write_file(settings, "old\n");
    const unsigned acl[] = {2, 0x60001, ~0u, 0x40002, 1000, 4, ~0u, 0x40010, ~0u, 0x20, ~0u};
    ASSERT_EQ(::setxattr(settings.c_str(), "system.posix_acl_access", acl, sizeof acl, 0), 0);
    // Root can give the old file to another user, as after a run in a user's
    // directory; anyone else keeps their own.
    struct stat old_owner {};
    if (running_as_root()) {
        ASSERT_EQ(::chown(settings.c_str(), kNobody, kNoGroup), 0);
    }
    ASSERT_EQ(::stat(settings.c_str(), &old_owner), 0);

    // The backup is the old file itself, with all of it.
    const RunResult result = run_program(workspace, {.arguments = {"-b"}, .input = "abc\ny\n"});

    EXPECT_EQ(result.exit_status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    EXPECT_NE(read_file(settings), "old\n");
    EXPECT_EQ(read_file(workspace.dir() / "saint.ini~"), "old\n");
    for (const fs::path& kept_file : {settings, workspace.dir() / "saint.ini~"}) {
        SCOPED_TRACE(kept_file);
        EXPECT_EQ(fs::status(kept_file).permissions(), fs::perms(0640));
        struct stat new_owner {};
        ASSERT_EQ(::stat(kept_file.c_str(), &new_owner), 0);
        EXPECT_EQ(new_owner.st_uid, old_owner.st_uid);
        EXPECT_EQ(new_owner.st_gid, old_owner.st_gid);
        unsigned kept[11] = {};
        ::getxattr(kept_file.c_str(), "system.posix_acl_access", kept, sizeof kept);
        EXPECT_EQ(std::vector(kept, kept + 11), std::vector(acl, acl + 11));
    }
}

// Where the group cannot be kept (nobody's file, in a group nobody is not
// in), the new file's gets no more than others had, and a note says so; root
// keeps another group of its own file. An access control list (user::rw-
// group::rw- mask::rw- other::r--) has its entry for the group cut instead.
TEST(FailureTest, OldFilesGroupIsKeptOrGetsNoMoreThanOthers) {
    const unsigned acl[] = {2, 0x60001, ~0u, 0x60004, ~0u, 0x60010, ~0u, 0x40020, ~0u};
    const struct {
        uid_t owner;
        mode_t mode, new_mode;
        gid_t group;
        bool with_list = false;
    } cases[] = {{kNobody, 0664, 0644, kNoGroup},
                 {kNobody, 0670, 0600, kNoGroup},
                 {kNobody, 0664, 0664, kNoGroup, true},
                 {0, 0640, 0640, 4321}};
    for (const auto& c : cases) {
        Workspace workspace;
        lay_out_project(workspace);
        const fs::path settings = workspace.dir() / "saint.ini";
        write_file(settings, "old\n");
        ASSERT_EQ(::chown(settings.c_str(), c.owner, 4321), 0) << "needs root, as CI has";
        fs::permissions(settings, fs::perms(c.mode));
        ASSERT_TRUE(!c.with_list || ::setxattr(settings.c_str(), "system.posix_acl_access", acl,
                                               sizeof acl, 0) == 0);
        const RunResult result = run_program(
            workspace, {.arguments = {"-p", "abc", "-y"}, .unprivileged = c.owner != 0});
        struct stat saved {};
        unsigned kept[9] = {};
        ::getxattr(settings.c_str(), "system.posix_acl_access", kept, sizeof kept);
        EXPECT_TRUE(::stat(settings.c_str(), &saved) == 0 && saved.st_gid == c.group);
        EXPECT_EQ(saved.st_mode & 07777, c.new_mode);
        EXPECT_EQ(kept[3], c.with_list ? 0x40004u : 0u);
        EXPECT_EQ(
            result.errors.starts_with("korvaline: note: the new saint.ini cannot keep the old "
                                      "one's group 4321; it belongs to "),
            c.owner != 0);
    }
    // Under --strict that note stops the save, and the new file goes.
    Workspace workspace;
    lay_out_project(workspace);
    const fs::path settings = workspace.dir() / "saint.ini";
    write_file(settings, " \n[SAINT]\nNROWS=512\n");
    ASSERT_EQ(::chown(settings.c_str(), kNobody, 4321), 0);
    const auto names_before = list_names(workspace.dir());
    const RunResult result = run_program(
        workspace, {.arguments = {"-p", "abc", "-y", "--strict"}, .unprivileged = true});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.errors.find("korvaline: not written under --strict: the new saint.ini cannot "
                                 "keep the old one's group 4321"),
              std::string::npos)
        << result.errors;
    EXPECT_EQ(read_file(settings), " \n[SAINT]\nNROWS=512\n");
    EXPECT_EQ(list_names(workspace.dir()), names_before);
}

// Run as root, a new file (saint.ini, FILE of -o) gets the owner and group of
// its directory (nobody's where given); a replaced one keeps its own.
TEST(FailureTest, NewSaintIniGetsThePermissionsTheUmaskAllows) {
    const struct {
        mode_t umask;
        fs::perms permissions;
        std::string file = "saint.ini";
        bool directory_given = false;
        bool old_file = false;
    } cases[] = {{022, fs::perms(0644)},
                 {077, fs::perms(0600)},
                 {002, fs::perms(0664)},
                 {022, fs::perms(0644), "saint.ini", true},
                 {077, fs::perms(0600), "sub/out.ini", true},
                 {022, fs::perms(0644), "saint.ini", true, true}};
    for (const auto& c : cases) {
        Workspace workspace;
        lay_out_project(workspace);
        const fs::path saved = workspace.dir() / c.file;
        fs::create_directories(saved.parent_path());
        if (c.old_file) {
            write_file(saved, "old\n");
            fs::permissions(saved, c.permissions);
        }
        ASSERT_TRUE(!c.directory_given ||
                    ::chown(saved.parent_path().c_str(), kNobody, kNoGroup) == 0)
            << "needs root, as CI has";
        const RunResult result = run_program(
            workspace, {.arguments = {"-p", "abc", "-y", "-o", c.file}, .umask = c.umask});
        EXPECT_EQ(result.exit_status, 0) << result.errors;
        EXPECT_EQ(fs::status(saved).permissions(), c.permissions) << "umask " << c.umask;
        struct stat owner {};
        ASSERT_EQ(::stat(saved.c_str(), &owner), 0);
        const bool directorys = c.directory_given && !c.old_file;
        EXPECT_EQ(
            std::pair(owner.st_uid, owner.st_gid),
            std::pair(directorys ? kNobody : ::geteuid(), directorys ? kNoGroup : ::getegid()))
            << c.file;
    }
}

TEST(FailureTest, StandardOutputFailingAroundTheSaveTellsWhetherSaintIniWasWritten) {
    const std::size_t kLimit = 8192;
    const std::string ready = "\n KORVALINE IS READY TO LOAD saint PROGRAM...\n";
    const std::string saving = "\n KORVALINE IS SAVING FILE...\n";
    std::size_t output_size = 0;
    {
        Workspace workspace;
        lay_out_project(workspace);
        output_size = run_program(workspace, {.input = "abc\ny\n"}).output.size();
    }
    // Standard output is a file that reaches the size limit `room` bytes
    // short of the end of the program's output.
    const struct {
        std::size_t room_short;
        bool written;
        std::string errors;
    } cases[] = {
        {ready.size() - 3, true,
         "korvaline: saint.ini has been written, but the closing message was lost: "
         "cannot write to standard output: File too large\n"},
        {ready.size() + saving.size() - 3, false,
         "korvaline: cannot write to standard output: File too large\n"},
        {ready.size() - 3, true,
         "korvaline: DIR/saint.ini has been written, but the closing message was lost: "
         "cannot write to standard output: File too large\n"},
    };
    for (auto c : cases) {
        Workspace workspace;
        // Run by -C, which names the file in full.
        std::vector<std::string> arguments;
        if (c.errors.starts_with("korvaline: DIR")) {
            c.errors.replace(11, 3, fs::canonical(workspace.dir()).string());
            arguments = {"-C", "."};
        }
        lay_out_project(workspace);
        const std::string old_settings = "old\n";
        write_file(workspace.dir() / "saint.ini", old_settings);
        auto names_after = list_names(workspace.dir());
        const RunResult result = run_program(
            workspace, {.arguments = arguments,
                        .input = "abc\ny\n",
                        .output_before = std::string(kLimit - output_size + c.room_short, '.'),
                        .file_size_limit = kLimit});
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.errors, c.errors);
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini") != old_settings, c.written);
        // The save is logged before the closing message is lost.
        if (c.written) {
            names_after.insert("korvaline.log");
        }
        EXPECT_EQ(list_names(workspace.dir()), names_after);
    }
}

// A plain run names saint.ini as ever; one sent to its directory or given
// the file names it in full, so that a batch log says which crystal failed.
TEST(FailureTest, UnwritableSaintIniIsAFailureThatNamesIt) {
    for (const std::string option : {"", "-C", "-o"}) {
        Workspace workspace;
        lay_out_project(workspace);
        write_file(workspace.dir() / "saint.ini", "old\n");
        fs::permissions(workspace.dir() / "saint.ini", fs::perms(0444));
        const std::vector<std::string> arguments = {option, option == "-C" ? "." : "saint.ini"};
        const std::string in_full = fs::canonical(workspace.dir()).string() + "/";

        const RunResult result = run_program(
            workspace, {.arguments = option.empty() ? std::vector<std::string>() : arguments,
                        .input = "abc\ny\n",
                        .unprivileged = true});

        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.errors, "korvaline: cannot replace " + (option.empty() ? "" : in_full) +
                                     "saint.ini: Permission denied\n");
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini"), "old\n");
    }
}

// A log that cannot be opened is a note before anything is replaced, so that
// --strict replaces nothing; one that fails after the replacement is a note,
// and the save stands.
TEST(FailureTest, LogThatCannotBeWrittenIsANote) {
    const std::string unopened =
        "korvaline: note: cannot open korvaline.log: Permission denied; this save is not logged "
        "[log]\n";
    const struct {
        mode_t log_mode;
        bool strict;
        rlim_t file_size_limit;
        int status;
        std::string errors;  // without a line feed at its end: its beginning
        bool written;
    } cases[] = {
        {0444, false, RLIM_INFINITY, 0, unopened, true},
        {0444, true, RLIM_INFINITY, 1,
         unopened + "korvaline: not written under --strict: cannot open korvaline.log: Permission "
                    "denied; this save is not logged [log]\n",
         false},
        {0644, true, 5000, 0,
         "korvaline: note: saint.ini has been written, but cannot write korvaline.log: only 1000 "
         "of ",
         true},
    };
    for (const auto& c : cases) {
        Workspace workspace;
        lay_out_project(workspace);
        write_file(workspace.dir() / "saint.ini", "old\n");
        const std::string log(4000, '.');
        write_file(workspace.dir() / "korvaline.log", log);
        fs::permissions(workspace.dir() / "korvaline.log", fs::perms(c.log_mode));
        for (const char* name : {"saint.ini", "korvaline.log"}) {
            if (running_as_root()) {
                ASSERT_EQ(::chown((workspace.dir() / name).c_str(), kNobody, kNoGroup), 0);
            }
        }

        const RunResult result =
            run_program(workspace, {.arguments = c.strict ? std::vector<std::string>{"--strict"}
                                                          : std::vector<std::string>{},
                                    .input = "abc\ny\n",
                                    .unprivileged = true,
                                    .file_size_limit = c.file_size_limit});

        EXPECT_EQ(result.exit_status, c.status);
        EXPECT_TRUE(result.errors.starts_with(c.errors)) << result.errors;
        EXPECT_EQ(read_file(workspace.dir() / "saint.ini") != "old\n", c.written);
        EXPECT_EQ(read_file(workspace.dir() / "korvaline.log").starts_with(log), true);
    }
}

TEST(FailureTest, UnreadableP4pFileIsAFailure) {
    Workspace workspace;
    lay_out_project(workspace);
    fs::permissions(workspace.dir() / "abc1.p4p", fs::perms::none);

    const RunResult result = run_program(workspace, {.input = "abc\ny\n", .unprivileged = true});

    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.errors, "korvaline: cannot open P4P file 'abc1.p4p': Permission denied\n");
    EXPECT_FALSE(fs::exists(workspace.dir() / "saint.ini"));
}

// A file behind a directory the user may not search may exist: the run stops.
// Run by -C, it names the file from the root, a frame and a project's too.
TEST(FailureTest, ExistenceThatCannotBeToldIsAFailure) {
    const std::string cases[][2] = {{"abc\n", "abc1.010"},
                                    {"xyz\nn\nclosed/x.p4p\n", "closed/x.p4p"},
                                    {"abc\n", "DIR/abc1.010"},
                                    {"closed/abc\n", "DIR/closed/abc1.001"}};
    for (const auto& [input, as_named] : cases) {
        Workspace workspace;
        std::string name = as_named;
        std::vector<std::string> arguments;
        if (name.starts_with("DIR")) {
            name.replace(0, 3, fs::canonical(workspace.dir()).string());
            arguments = {"-C", "."};
        }
        make_frames(workspace.dir(), "abc1", 1, 9);
        make_frames(workspace.dir(), "xyz1", 1, 1);
        fs::create_directory(workspace.dir() / "closed");
        make_frames(workspace.dir() / "closed", "abc1", 10, 10);
        fs::create_symlink("closed/abc1.010", workspace.dir() / "abc1.010");
        fs::permissions(workspace.dir() / "closed", fs::perms::none);
        const RunResult result =
            run_program(workspace, {.arguments = arguments, .input = input, .unprivileged = true});
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.errors,
                  "korvaline: cannot tell whether " + name + " exists: Permission denied\n");
        EXPECT_FALSE(fs::exists(workspace.dir() / "saint.ini"));
    }
}

// A service account run with its caller's HOME, where its profile place is
// closed to it: a note says so, and the site's profile is used.
TEST(FailureTest, ClosedUserProfilePlaceGivesWayToTheSiteProfile) {
    Workspace workspace;
    lay_out_project(workspace);
    const fs::path user_profile = workspace.scratch() / "HOME/.config/korvaline/profile.ini";
    fs::create_directories(user_profile.parent_path());
    fs::permissions(workspace.scratch() / "HOME", fs::perms::none);
    write_file(workspace.scratch() / "KORVALINE_SITE_PROFILE", "[SAINT]\nNROWS=1024\n");
    const RunResult result = run_program(workspace, {.input = "abc\ny\n", .unprivileged = true});
    EXPECT_EQ(result.errors, "korvaline: note: cannot read " + user_profile.string() +
                                 ": Permission denied; going on without it [profile-unreadable]\n");
    EXPECT_NE(read_file(workspace.dir() / "saint.ini").find("\nNROWS=1024\n"), std::string::npos);
    // A note that a batch must not pass over.
    const RunResult strict = run_program(
        workspace, {.arguments = {"--strict"}, .input = "abc\ny\n", .unprivileged = true});
    EXPECT_EQ(strict.exit_status, 1);
    EXPECT_NE(strict.errors.find("korvaline: not written under --strict: cannot read "),
              std::string::npos);
}

// A directory that may be searched but not read: the frames are looked up
// one by one, as in any directory, and the project cannot be found. The
// settings go to standard output, since the directory cannot be synced.
TEST(FailureTest, DirectoryThatCannotBeListedIsLookedUpNameByName) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-p", "abc", "-y", "-o", "-"},
         " SORTING FRAME FILES: abc1.001 =>   5\n"
         "korvaline: note: run 1 stops at frame 5: abc1.006 is missing but abc1.007 exists "
         "[frame-gap]\n"
         " SORTING FRAME FILES: abc2.001 =>   3\n"
         "korvaline: note: abc7.001 exists, but saint.ini has places for runs 1 to 4 only; "
         "run 7 is not integrated [runs-beyond-4]\n"},
        {{"--find-project"}, "korvaline: cannot list the files of DIR to find the project: "},
    };
    for (auto [arguments, errors] : cases) {
        Workspace workspace;
        lay_out_project(workspace);
        make_frames(workspace.dir(), "abc1", 3, 5);
        make_frames(workspace.dir(), "abc1", 7, 7);
        make_frames(workspace.dir(), "abc2", 1, 3);
        make_frames(workspace.dir(), "abc7", 1, 1);
        fs::permissions(workspace.dir(), fs::perms(0311));
        const RunResult result =
            run_program(workspace, {.arguments = arguments, .unprivileged = true});
        fs::permissions(workspace.dir(), fs::perms(0755));
        if (const std::size_t at = errors.find("DIR"); at != std::string::npos) {
            errors.replace(at, 3, fs::canonical(workspace.dir()).string());
        }
        const bool written = result.output.find("\nNFRAMES=  5,  3,  0,  0\n") != std::string::npos;
        EXPECT_EQ(result.exit_status, written ? 0 : 1) << result.errors;
        EXPECT_NE(result.errors.find(errors + (written ? "" : "Permission denied\n")),
                  std::string::npos)
            << result.errors;
    }
}

// A folder profile is trusted by its owner and who may write it and its
// folder; one in a folder that cannot be read is never reached. The folder
// above the crystal's holds it; the runs are root's but for the last.
TEST(FailureTest, FolderProfileIsTakenOnlyWhereItsOwnerAndModesAllow) {
    const std::string taken = "taken";
    const struct {
        uid_t owner;
        mode_t mode;
        uid_t crystal_owner;
        mode_t folder_mode;
        std::string seen;  // taken, or why it is passed over; empty: not a word
        bool unprivileged = false;
        bool link = false;  // korvaline.ini links to root's file in shared/, the owner's link
        mode_t shared_mode = 0755;
        unsigned list_mask = 0;  // not 0: a list lets user 2004 write it, under this mask
    } cases[] = {
        {0, 0644, 0, 0755, taken},
        {kNobody, 0644, 0, 0755,
         "it belongs to user 65534, who is neither root, the user running korvaline nor the "
         "owner of the crystal's folder"},
        {kNobody, 0644, kNobody, 0755, taken},
        {0, 0664, 0, 0755, taken},
        {0, 0646, 0, 0755, "users other than its owner and group may write it"},
        {0, 0644, 0, 0777,
         "users other than its owner and group may write FOLDER, which has "
         "no sticky bit"},
        {0, 0644, 0, 01777, taken},
        {0, 0644, 0, 0711, "", true},
        {kNobody, 0644, 0, 0755,
         "it belongs to user 65534, who is neither root, the user running korvaline nor the "
         "owner of the crystal's folder",
         false, true},
        {0, 0644, 0, 0755, taken, false, true},
        {0, 0644, 0, 0755,
         "users other than its owner and group may write FOLDER/shared, which has "
         "no sticky bit",
         false, true, 0777},
        {0, 0644, 0, 0755, "users other than its owner and group may write it", false, false, 0755,
         06},
        {0, 0644, 0, 0755, taken, false, false, 0755, 04},
    };
    for (const auto& c : cases) {
        Workspace workspace;
        lay_out_project(workspace);
        const fs::path folder = fs::canonical(workspace.dir().parent_path());
        const fs::path profile = folder / "korvaline.ini";
        fs::create_directory(folder / "shared");
        write_file(c.link ? folder / "shared/root.ini" : profile, "[SAINT]\nNROWS=1024\n");
        if (c.link) {
            fs::create_symlink("shared/root.ini", profile);
        }
        ASSERT_EQ(::lchown(profile.c_str(), c.owner, 0), 0) << "needs root, as CI has";
        ASSERT_EQ(::chown(workspace.dir().c_str(), c.crystal_owner, 0), 0);
        fs::permissions(profile, fs::perms(c.mode));
        // After the mode, which would set the list's mask.
        const unsigned list[] = {2,    0x60001, ~0u, 0x60002,
                                 2004, 0x40004, ~0u, 0x10 | (c.list_mask << 16),
                                 ~0u,  0x40020, ~0u};
        ASSERT_TRUE(!c.list_mask || ::setxattr(profile.c_str(), "system.posix_acl_access", list,
                                               sizeof list, 0) == 0);
        fs::permissions(folder, fs::perms(c.folder_mode));
        fs::permissions(folder / "shared", fs::perms(c.shared_mode));
        const RunResult result = run_program(
            workspace, {.arguments = {"-p", "abc", "-y"}, .unprivileged = c.unprivileged});
        fs::permissions(folder, fs::perms(0755));
        std::string reason = c.seen;
        if (const std::size_t at = reason.find("FOLDER"); at != std::string::npos) {
            reason.replace(at, 6, folder.string());
        }
        const bool used = result.output.find(" INSTRUMENT PROFILE: " + profile.string() + "\n") !=
                          std::string::npos;
        EXPECT_EQ(used, reason == taken) << reason;
        EXPECT_EQ(result.errors, reason.empty() || reason == taken
                                     ? ""
                                     : "korvaline: note: passed over the profile " +
                                           profile.string() + ": " + reason +
                                           " [untrusted-profile]\n");
    }
}

}  // namespace
}  // namespace korvaline::e2e
