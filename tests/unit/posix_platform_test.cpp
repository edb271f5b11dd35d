// What only a POSIX system has: FIFOs, devices under /dev, symbolic links
// anyone may make, and signals.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>

#include "failure_message.hpp"
#include "fields.hpp"
#include "files/append_file.hpp"
#include "files/input_file.hpp"
#include "frames/run_discovery.hpp"
#include "platform/file_facts.hpp"
#include "platform/file_operations.hpp"
#include "posix_user.hpp"
#include "scratch_directory.hpp"
#include "scripted_console.hpp"
#include "settings/profile_places.hpp"
#include "settings/settings_file.hpp"

namespace korvaline {
namespace {

namespace fs = std::filesystem;

using PosixInputFileTest = ScratchDirectoryTest;

// A socket bound at `path`, which stays as an entry once the socket is closed.
void make_socket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    path.copy(address.sun_path, path.size());
    const int socket_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(socket_fd);
}

TEST_F(PosixInputFileTest, OnlyARegularFileIsOpened) {
    const std::string fifo = (dir_ / "fifo.p4p").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string link_to_device = (dir_ / "zero.p4p").string();
    fs::create_symlink("/dev/zero", link_to_device);
    const std::string socket_path = (dir_ / "socket.p4p").string();
    make_socket(socket_path);
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {(dir_ / "missing.p4p").string(), "cannot open P4P file: No such file or directory"},
        {dir_.string(), "cannot read P4P file: it is a directory, not a regular file"},
        {fifo, "cannot read P4P file: it is a FIFO, not a regular file"},
        {link_to_device, "cannot read P4P file: it is a character device, not a regular file"},
        {socket_path, "cannot read P4P file: it is a socket, not a regular file"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failure_message([&] { InputFile::open_regular_file(c.path, "P4P file"); }),
                  c.message);
    }
}

std::string read_text(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A log is appended to only where it is a regular file: a link to one is not
// followed, and a FIFO does not hold the program.
TEST_F(PosixInputFileTest, LogIsAppendedToOnlyAsARegularFile) {
    const fs::path log = dir_ / "korvaline.log";
    const struct {
        std::function<void()> make;
        std::string message;
        std::string after;  // in the log's place, as a file
    } cases[] = {
        {[] {}, "(no failure)", ""},
        {[&] { std::ofstream(log) << "old\n"; }, "(no failure)", "old\nblock\n"},
        {[&] { fs::create_symlink("real.log", log); },
         "cannot open the log: it is a symbolic link, which is not followed", "real\n"},
        {[&] { ::mkfifo(log.c_str(), 0600); },
         "cannot open the log: it is a FIFO, not a regular file", ""},
        {[&] { fs::create_directory(log); },
         "cannot open the log: it is a directory, not a regular file", ""},
    };
    std::ofstream(dir_ / "real.log") << "real\n";
    for (const auto& c : cases) {
        fs::remove(log);
        c.make();
        EXPECT_EQ(failure_message([&] {
                      if (auto file = AppendFile::open_existing(log.string(), "the log")) {
                          file->append("block\n");
                      }
                  }),
                  c.message);
        EXPECT_EQ(fs::is_regular_file(log) ? read_text(log) : "", c.after);
    }
    // A new one takes the mode of the file it is made like.
    fs::remove(log);
    std::ofstream(dir_ / "saint.ini") << "x\n";
    ::chmod((dir_ / "saint.ini").c_str(), 0640);
    AppendFile::create_like(log.string(), (dir_ / "saint.ini").string(), "the log").append("a\n");
    AppendFile::create_like(log.string(), (dir_ / "saint.ini").string(), "the log").append("b\n");
    EXPECT_EQ(read_text(log), "a\nb\n");
    struct stat info {};
    ASSERT_EQ(::stat(log.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// Where a file may well be absent, a link to nothing is no absence.
TEST_F(PosixInputFileTest, LinkToNothingIsNoAbsence) {
    fs::create_symlink("gone.ini", dir_ / "l");
    EXPECT_EQ(failure_message([&] { InputFile::open_if_present((dir_ / "l").string(), "x"); }),
              "cannot open x: it is a symbolic link to 'gone.ini', which does not exist");
}

// A link is followed to the file it names; only a missing file is no answer.
TEST_F(PosixInputFileTest, FileFactsFollowLinksAndNameTheFileThatFails) {
    std::ofstream(dir_ / "abc1.001") << "12345";
    const timespec times[2] = {{1'796'000'000, 0}, {1'796'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir_ / "abc1.001").c_str(), times, 0), 0);
    fs::create_symlink("abc1.001", dir_ / "link.001");
    fs::create_symlink("loop.001", dir_ / "loop.001");
    for (const std::string name : {"abc1.001", "link.001"}) {
        const auto facts = file_facts((dir_ / name).string());
        ASSERT_TRUE(facts.has_value()) << name;
        EXPECT_EQ(facts->size, 5U) << name;
        EXPECT_EQ(facts->modified, 1'796'000'000) << name;
    }
    EXPECT_FALSE(file_facts((dir_ / "missing.001").string()).has_value());
    const std::string loop = (dir_ / "loop.001").string();
    EXPECT_EQ(failure_message([&] { file_facts(loop); }),
              "cannot read the size and time of " + loop + ": Too many levels of symbolic links");
}

using PosixSettingsFileTest = SaintIniTest;

TEST_F(PosixSettingsFileTest, SomethingOtherThanAFileInTheWayIsAFailure) {
    const struct {
        std::function<void(const std::string&)> make;
        std::string why;
    } cases[] = {
        {[](const std::string& path) { fs::create_directory(path); },
         "it is a directory, not a regular file"},
        {[](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
         "it is a FIFO, not a regular file"},
        {[](const std::string& path) { fs::create_symlink("/dev/null", path); },
         "it is a character device, not a regular file"},
    };
    for (const auto& c : cases) {
        c.make(path_);
        const auto status_before = fs::symlink_status(path_).type();
        EXPECT_EQ(failure_message([&] { SettingsFile file(path_); }),
                  "cannot replace " + path_ + ": " + c.why);
        EXPECT_EQ(fs::symlink_status(path_).type(), status_before);
        EXPECT_EQ(entries(), 1u);
        fs::remove(path_);
    }
}

// saint.ini as a link: the file it names gets the new lines, the link stays.
TEST_F(PosixSettingsFileTest, LinkedSaintIniReplacesTheFileTheLinkNames) {
    fs::create_directories(dir_ / "shared" / "deeper");
    const struct {
        std::string link;      // what saint.ini points to
        std::string replaced;  // the file that must end with the new lines
        bool existed;          // whether that file was there before
    } cases[] = {
        {"beside.ini", "beside.ini", true},
        {"shared/saint.ini", "shared/saint.ini", true},
        {(dir_ / "shared/absolute.ini").string(), "shared/absolute.ini", true},
        {"shared/not-yet.ini", "shared/not-yet.ini", false},
        {"second-link.ini", "shared/deeper/end.ini", true},  // a link to a link
    };
    fs::create_symlink("shared/deeper/end.ini", dir_ / "second-link.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        if (c.existed) {
            std::ofstream(dir_ / c.replaced) << "old\n";
        }
        fs::create_symlink(c.link, path_);
        SettingsFile file(path_);
        file.write_line("new");
        file.close();
        EXPECT_TRUE(fs::is_symlink(path_));
        EXPECT_EQ(fs::read_symlink(path_), c.link);
        EXPECT_EQ(content(path_), "new\n");
        std::ifstream replaced(dir_ / c.replaced);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(replaced), {}), "new\n");
        fs::remove(path_);
        fs::remove(dir_ / c.replaced);
    }
    // Nothing was left beside any of the files replaced.
    EXPECT_EQ(entries(), 2u);  // shared/ and second-link.ini
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(dir_ / "shared"),
                            fs::recursive_directory_iterator()),
              1);  // deeper/
}

// A lab's shared saint.ini, owned by one member of the group and saved by
// another: the new file cannot keep its owner, but it keeps its group.
TEST_F(PosixSettingsFileTest, GroupMemberKeepsTheGroupOfTheOldFile) {
    if (!running_as_root()) {
        GTEST_SKIP() << "acting as another user and group needs root";
    }
    constexpr uid_t kOwner = 1000;
    constexpr uid_t kMember = kNobody;
    constexpr gid_t kGroup = 4321;
    std::ofstream(path_) << "old\n";
    ASSERT_EQ(::chown(path_.c_str(), kOwner, kGroup), 0);
    fs::permissions(path_, fs::perms(0660));
    fs::permissions(dir_, fs::perms::all);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(1, &kGroup) != 0 || ::setgid(kMember) != 0 || ::setuid(kMember) != 0) {
            ::_exit(2);
        }
        try {
            SettingsFile file(path_);
            file.write_line("new");
            file.close();
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    struct stat saved {};
    ASSERT_EQ(::stat(path_.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_uid, kMember);
    EXPECT_EQ(saved.st_gid, kGroup);
    EXPECT_EQ(saved.st_mode & 07777, 0660u);
    EXPECT_EQ(content(path_), "new\n");
}

// A new file beside saint.ini (a log) gets its mode; run as root, as CI
// does, the owner and group of its directory, whoever owns saint.ini, and a
// group other than saint.ini's gets no more than saint.ini gave others.
TEST_F(PosixSettingsFileTest, NewFileTakesTheOwnerAndModeOfItsModel) {
    std::ofstream(path_) << "old\n";
    std::ofstream(dir_ / "new.log") << "";
    ASSERT_EQ(::chown(path_.c_str(), 2002, 4321), 0) << "needs root, as CI has";
    ASSERT_EQ(::chown(dir_.c_str(), kNobody, kNoGroup), 0);
    fs::permissions(path_, fs::perms(0640));
    give_new_file_the_owner_and_mode_of((dir_ / "new.log").string(), path_);
    struct stat made {};
    ASSERT_EQ(::stat((dir_ / "new.log").c_str(), &made), 0);
    EXPECT_EQ(std::tuple(made.st_uid, made.st_gid, made.st_mode & 07777),
              std::tuple(kNobody, kNoGroup, 0600u));
}

// A child interrupted while it writes saint.ini, or, given `errors`, at the rename.
int status_of_interrupted_save(const std::string& path, int signal_number, bool ignored,
                               const std::string& errors = "") {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit no_core{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core);
        if (ignored) {
            std::signal(signal_number, SIG_IGN);
        }
        const int dir = ::open(fs::path(path).parent_path().c_str(), O_RDONLY);
        if (!errors.empty() &&
            (::fcntl(dir, F_SETSIG, signal_number) != 0 || ::fcntl(dir, F_NOTIFY, DN_RENAME) != 0 ||
             ::dup2(::creat(errors.c_str(), 0600), 2) != 2)) {
            ::_exit(3);
        }
        {
            SettingsFile file(path);
            file.write_line(std::string(100'000, 'y'));
            errors.empty() ? static_cast<void>(::raise(signal_number)) : file.close();
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

TEST_F(PosixSettingsFileTest, InterruptedSaveLeavesTheOldFileAndEndsByTheSignal) {
    std::ofstream(path_) << "old\n";
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                                    SIGXCPU, SIGVTALRM, SIGPROF, SIGPWR, SIGIO, SIGRTMIN}) {
        const int status = status_of_interrupted_save(path_, signal_number, false);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number)
            << "signal " << signal_number << ", status " << status;
        EXPECT_EQ(content(path_), "old\n");
        EXPECT_EQ(entries(), 1u);
    }
    // A signal ignored by whoever started the program (nohup) stays ignored.
    const int status = status_of_interrupted_save(path_, SIGHUP, true);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(content(path_), "old\n");
    EXPECT_EQ(entries(), 1u);
}

// The user's profile by the XDG base directories, then the site's, which
// KORVALINE_SITE_PROFILE names when it is set (when empty: none).
TEST(PosixPlacesTest, DefaultProfilesUserFirst) {
    const std::string site = "/etc/korvaline/profile.ini";
    const std::string cases[][3] = {// XDG_CONFIG_HOME, HOME, the user's profile
                                    {"/x", "/home/a", "/x/korvaline/profile.ini"},
                                    {"", "/home/a", "/home/a/.config/korvaline/profile.ini"},
                                    {"x", "", ""},
                                    {"", "hh", ""},
                                    {"x", "/home/a", "/home/a/.config/korvaline/profile.ini"}};
    for (const auto& c : cases) {
        const auto paths = default_profile_paths([&](const std::string& name) {
            return name == "KORVALINE_SITE_PROFILE" ? std::nullopt
                                                    : std::optional(name == "HOME" ? c[1] : c[0]);
        });
        EXPECT_EQ(std::vector({paths.user, paths.site}), std::vector({c[2], site})) << c[0];
    }
    for (const std::string variable : {"", "/opt/k.ini"}) {
        EXPECT_EQ(default_profile_paths([&](const std::string&) { return variable; }).site,
                  variable);
    }
}

// After the rename the signal waits for the directory's sync, then says so.
TEST_F(PosixSettingsFileTest, SignalAtTheRenameEndsTheProgramOnceTheNewFileIsSafe) {
    for (const int signal_number : {SIGINT, SIGTERM, SIGXCPU}) {
        std::ofstream(path_) << "old\n";
        const int status =
            status_of_interrupted_save(path_, signal_number, false, path_ + "-errors");
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << status;
        EXPECT_EQ(content(path_), std::string(100'000, 'y') + "\n");
        EXPECT_EQ(content(path_ + "-errors"),
                  "korvaline: " + path_ + " has been written, but the " +
                      "program was interrupted: " + ::strsignal(signal_number) + "\n");
    }
}

// The list is kept whole, so the group gains nothing from its mask (shown as
// its bits): user::rw- user:nobody:rw- group::--- mask::rw- other::---.
TEST_F(PosixSettingsFileTest, SaveKeepsTheAccessControlListAndUserAttributes) {
    const unsigned acl[] = {2, 0x60001, ~0u, 0x60002, kNobody, 4, ~0u, 0x60010, ~0u, 0x20, ~0u};
    const std::string attributes[][2] = {
        {"system.posix_acl_access", std::string(reinterpret_cast<const char*>(acl), sizeof acl)},
        {"user.korvaline.note", "kept"},
        {"user.korvaline.empty", ""}};
    std::ofstream(path_) << "old\n";
    for (const auto& [name, value] : attributes) {
        ASSERT_EQ(::setxattr(path_.c_str(), name.c_str(), value.data(), value.size(), 0), 0);
    }
    SettingsFile file(path_);
    file.write_line("new");
    file.close();
    EXPECT_EQ(fs::status(path_).permissions(), fs::perms(0660));
    for (const auto& [name, value] : attributes) {
        std::string kept(100, '\0');
        const ssize_t size = ::getxattr(path_.c_str(), name.c_str(), kept.data(), kept.size());
        EXPECT_EQ(kept.substr(0, static_cast<std::size_t>(size)), value) << name;
    }
}

// In a directory with a default access control list (of the words above),
// a new saint.ini gets what a file created there with mode 0666 gets: the
// list's mask and other entry, not what the umask allows.
TEST_F(PosixSettingsFileTest, NewFileGetsTheRightsOfAnyNewFileThere) {
    const std::vector<unsigned> defaults[] = {
        {2, 0x70001, ~0u, 0x50004, ~0u, 0x70008, kNoGroup, 0x70010, ~0u, 0x20, ~0u},
        {2, 0x70001, ~0u, 0x50004, ~0u, 0x20, ~0u},
        {2, 0x70001, ~0u, 0x70002, kNobody, 0x50004, ~0u, 0x70010, ~0u, 0x50020, ~0u},
    };
    for (const auto& list : defaults) {
        ASSERT_EQ(
            ::setxattr(dir_.c_str(), "system.posix_acl_default", list.data(), list.size() * 4, 0),
            0);
        ::close(::open((dir_ / "created").c_str(), O_CREAT | O_WRONLY, 0666));
        SettingsFile(path_).close();
        EXPECT_EQ(fs::status(path_).permissions(), fs::status(dir_ / "created").permissions());
        fs::remove(path_), fs::remove(dir_ / "created");
    }
    // An old file without a list gains none from the directory's.
    std::ofstream(path_) << "old\n";
    ASSERT_EQ(::removexattr(path_.c_str(), "system.posix_acl_access"), 0);
    fs::permissions(path_, fs::perms(0640));
    SettingsFile(path_).close();
    EXPECT_LT(::getxattr(path_.c_str(), "system.posix_acl_access", nullptr, 0), 0);
    EXPECT_EQ(fs::status(path_).permissions(), fs::perms(0640));
}

// The frames' directory as the system lists it: each kind of entry that a
// listing tells counts as a look-up would count it, and only names it does
// not show for certain are looked up. Run 1 holds frames 1 and 3, and
// frame 2 is the entry of the row's kind.
TEST_F(ScratchDirectoryTest, DiscoveryListsTheFramesDirectoryAndLooksUpTheRest) {
    using Make = std::function<void(const std::string&)>;
    const Make file = [](const std::string& path) { std::ofstream{path}; };
    const Make directory = [](const std::string& path) { fs::create_directory(path); };
    const Make fifo = [](const std::string& path) { ::mkfifo(path.c_str(), 0600); };
    const Make frame_link = [](const std::string& path) { fs::create_symlink("abc1.001", path); };
    const Make dangling = [](const std::string& path) { fs::create_symlink("gone", path); };
    const struct {
        std::string what;
        Make make;
        std::int32_t count;
        std::vector<std::string> looked_up;  // before those of runs 2 to 9
        std::size_t most_entries = kMostListedEntries;
        std::string directory = "";  // where the frames are, as the project names it
    } cases[] = {
        {"regular file", file, 3, {"abc1.004", "abc1.005"}},
        {"directory", directory, 3, {"abc1.004", "abc1.005"}},
        {"FIFO", fifo, 3, {"abc1.004", "abc1.005"}},
        {"socket", make_socket, 3, {"abc1.004", "abc1.005"}},
        {"link to a frame", frame_link, 3, {"abc1.002", "abc1.004", "abc1.005"}},
        {"dangling link", dangling, 1, {"abc1.002"}},  // 003 is listed
        {"as many entries as the bound", file, 3, {"abc1.004", "abc1.005"}, 3},
        {"more entries than the bound", file, 3, frame_series("abc1", 1, 5), 2},
        {"in a directory", file, 3, {"abc1.004", "abc1.005"}, kMostListedEntries, "sub/"},
    };
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::create_directories(c.directory.empty() ? "." : c.directory);
        std::ofstream{c.directory + "abc1.001"}, std::ofstream{c.directory + "abc1.003"};
        c.make(c.directory + "abc1.002");
        ScriptedConsole scripted("", {});
        std::vector<std::string> asked;
        SetupRecord record;
        record.project_name.assign(c.directory + "abc");
        discover_runs(
            record, scripted.console,
            [&asked](const FixedText& name) {
                asked.push_back(name.trimmed());
                return frame_file_exists(name);
            },
            [&c](const FixedText& project) { return list_frames(project, c.most_entries); });
        EXPECT_EQ(record.run(1).frame_count, c.count);
        std::vector<std::string> expected = c.looked_up;
        for (const char run : std::string("23456789")) {
            expected.push_back(std::string("abc") + run + ".001");
        }
        for (std::string& name : expected) {
            name.insert(0, c.directory);
        }
        EXPECT_EQ(asked, expected);
        fs::remove_all("sub"), fs::remove("abc1.001"), fs::remove("abc1.002");
        fs::remove("abc1.003");
    }
    fs::current_path(before);
}

}  // namespace
}  // namespace korvaline
