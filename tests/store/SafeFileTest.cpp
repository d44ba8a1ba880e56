// The one writer and the one reader of user files, against everything that
// can lie at a file's place: links, read-only files, pipes, folders, a full
// disk, a link planted at the temporary name, and a kill in the middle.

#include "store/SafeFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <thread>

#include "tests/DiskFaults.h"
#include "tests/TempDir.h"

namespace fs = std::filesystem;

namespace ampora {
namespace {

using testutil::TempDir;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& p, const std::string& bytes, mode_t mode = 0644) {
    std::ofstream(p, std::ios::binary) << bytes;
    fs::permissions(p, fs::perms(mode));
}

mode_t Mode(const fs::path& p) {
    struct stat st {};
    ::lstat(p.c_str(), &st);
    return st.st_mode & 07777;
}

int Temporaries(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(".tmp-") != std::string::npos) ++n;
    return n;
}

mode_t Umask() {
    const mode_t m = ::umask(022);
    ::umask(m);
    return m;
}

// A folder, and a small disk mounted in it for the rows that need one.
struct Place {
    TempDir dir;
    std::unique_ptr<testutil::SmallFileSystem> disk;
};

struct WriteCase {
    const char* name;
    // Prepares the folder; returns the path to write to and sets skip when
    // the row cannot run here.
    std::function<std::string(Place&, std::string& skip)> setUp;
    FileFault fault;
    // Checks the folder afterwards.
    std::function<void(TempDir&)> check;
    std::function<std::string(int)> temporaryName = nullptr;
};

const std::string NewBytes = "new contents\n";

const WriteCase WriteCases[] = {
    {"NewFileGets0644LessTheUmask", [](Place& p, std::string&) { return p.dir.file("a.csv"); },
     FileFault::None,
     [](TempDir& d) {
         EXPECT_EQ(Slurp(d.file("a.csv")), NewBytes);
         EXPECT_EQ(Mode(d.file("a.csv")), 0644 & ~Umask());
     }},
    {"ReplacementKeepsTheOldModeAndOwner",
     [](Place& p, std::string&) {
         TempDir& d = p.dir;
         Put(d.file("a.csv"), "old", 0600);
         // Root saving somebody's file leaves it theirs.
         if (::geteuid() == 0) {
             EXPECT_EQ(::chown(d.file("a.csv").c_str(), 4321, 4321), 0);
         }
         return d.file("a.csv");
     },
     FileFault::None,
     [](TempDir& d) {
         EXPECT_EQ(Slurp(d.file("a.csv")), NewBytes);
         EXPECT_EQ(Mode(d.file("a.csv")), mode_t(0600));
         struct stat st {};
         ::stat(d.file("a.csv").c_str(), &st);
         EXPECT_EQ(st.st_uid, ::geteuid() == 0 ? uid_t(4321) : ::geteuid());
     }},
    {"ReadOnlyFileIsKept",
     [](Place& p, std::string&) {
         TempDir& d = p.dir;
         Put(d.file("a.csv"), "old", 0444);
         return d.file("a.csv");
     },
     FileFault::ReadOnly,
     [](TempDir& d) {
         EXPECT_EQ(Slurp(d.file("a.csv")), "old");
         EXPECT_EQ(Mode(d.file("a.csv")), mode_t(0444));
     }},
    {"LinkChainLeadsToTheFileInItsOwnFolder",
     [](Place& p, std::string&) {
         TempDir& d = p.dir;
         fs::create_directories(d.path() / "synced");
         Put(d.path() / "synced" / "a.csv", "old", 0640);
         fs::create_symlink("synced/a.csv", d.path() / "hop.csv");
         fs::create_symlink(d.path() / "hop.csv", d.path() / "a.csv");
         return d.file("a.csv");
     },
     FileFault::None,
     [](TempDir& d) {
         EXPECT_TRUE(fs::is_symlink(d.path() / "a.csv"));
         EXPECT_TRUE(fs::is_symlink(d.path() / "hop.csv"));
         EXPECT_EQ(Slurp(d.path() / "synced" / "a.csv"), NewBytes);
         EXPECT_EQ(Mode(d.path() / "synced" / "a.csv"), mode_t(0640));
         EXPECT_EQ(Temporaries(d.path() / "synced"), 0);
     }},
    {"FolderIsRefused",
     [](Place& p, std::string&) {
         TempDir& d = p.dir;
         fs::create_directories(d.path() / "a.csv");
         return d.file("a.csv");
     },
     FileFault::NotRegular, [](TempDir& d) { EXPECT_TRUE(fs::is_directory(d.path() / "a.csv")); }},
    {"PipeIsRefusedAndStaysAPipe",
     [](Place& p, std::string&) {
         TempDir& d = p.dir;
         ::mkfifo(d.file("a.csv").c_str(), 0644);
         return d.file("a.csv");
     },
     FileFault::NotRegular, [](TempDir& d) { EXPECT_TRUE(fs::is_fifo(d.path() / "a.csv")); }},
    {"MissingFolder", [](Place& p, std::string&) { return p.dir.file("no/such/a.csv"); },
     FileFault::Missing, [](TempDir&) {}},
    {"LinkPlantedAtTheTemporaryNameIsNotFollowed",
     [](Place& p, std::string&) {
         TempDir& d = p.dir;
         Put(d.file("victim"), "victim");
         fs::create_symlink(d.file("victim"), d.path() / "planted");
         return d.file("a.csv");
     },
     FileFault::None,
     [](TempDir& d) {
         EXPECT_EQ(Slurp(d.file("victim")), "victim");
         EXPECT_TRUE(fs::is_symlink(d.path() / "planted"));
         EXPECT_EQ(Slurp(d.file("a.csv")), NewBytes);
         EXPECT_FALSE(fs::exists(d.path() / "fresh"));
     },
     [](int attempt) { return std::string(attempt == 0 ? "planted" : "fresh"); }},
    {"FullDiskKeepsTheOldFile",
     [](Place& p, std::string& skip) {
         TempDir& d = p.dir;
         fs::create_directories(d.path() / "disk");
         p.disk = std::make_unique<testutil::SmallFileSystem>(d.path() / "disk", 64 * 1024);
         skip = p.disk->skipReason();
         Put(d.path() / "disk" / "a.csv", "old");
         return (d.path() / "disk" / "a.csv").string();
     },
     FileFault::DiskFull,
     [](TempDir& d) {
         EXPECT_EQ(Slurp(d.path() / "disk" / "a.csv"), "old");
         EXPECT_EQ(Temporaries(d.path() / "disk"), 0);
     }},
};

TEST(SafeFile, WritesWholeOrLeavesTheOldFile) {
    for (const bool unnamed : {true, false}) {
        for (const WriteCase& c : WriteCases) {
            SCOPED_TRACE(std::string(c.name) +
                         (unnamed ? " (unnamed temporary)" : " (named temporary)"));
            Place place;
            TempDir& dir = place.dir;
            std::string skip;
            const std::string path = c.setUp(place, skip);
            if (!skip.empty()) {
                std::cout << "[  SKIPPED ] " << c.name << ": " << skip << "\n";
                continue;
            }
            SafeWriteOptions options;
            options.unnamedTemporary = unnamed;
            options.temporaryName = c.temporaryName;
            const bool full = c.fault == FileFault::DiskFull;
            const std::string bytes = full ? std::string(256 * 1024, 'x') : NewBytes;
            const FileStatus s = WriteFileSafely(path, bytes, options);
            EXPECT_EQ(s.fault, c.fault) << FileStatusText(s, 1);
            EXPECT_EQ(Temporaries(dir.path()), 0);
            c.check(dir);
        }
    }
}

TEST(SafeFile, ReadsRegularFilesOnlyWithoutWaiting) {
    const size_t limit = 1000;
    const struct {
        const char* name;
        std::function<std::string(TempDir&)> setUp;
        FileFault fault;
        std::string bytes;
    } rows[] = {
        {"Regular",
         [](TempDir& d) {
             Put(d.file("f"), "a\nb");
             return d.file("f");
         },
         FileFault::None, "a\nb"},
        {"ExactlyTheLimit",
         [](TempDir& d) {
             Put(d.file("f"), std::string(limit, 'x'));
             return d.file("f");
         },
         FileFault::None, std::string(limit, 'x')},
        {"BeyondTheLimit",
         [](TempDir& d) {
             Put(d.file("f"), std::string(limit + 1, 'x'));
             return d.file("f");
         },
         FileFault::TooLarge, ""},
        {"LinkToAFile",
         [](TempDir& d) {
             Put(d.file("f"), "linked");
             fs::create_symlink(d.file("f"), d.path() / "l");
             return d.file("l");
         },
         FileFault::None, "linked"},
        {"Missing", [](TempDir& d) { return d.file("none"); }, FileFault::Missing, ""},
        {"Folder", [](TempDir& d) { return d.folder(); }, FileFault::NotRegular, ""},
        {"Device", [](TempDir&) { return std::string("/dev/zero"); }, FileFault::NotRegular, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TempDir dir;
        const FileBytes f = ReadFileSafely(r.setUp(dir), limit);
        EXPECT_EQ(f.status.fault, r.fault) << FileStatusText(f.status, 1);
        EXPECT_EQ(f.bytes, r.bytes);
    }
    // A pipe without a writer: refused at once.
    TempDir dir;
    const testutil::NamedPipe pipe(dir.file("pipe"));
    ASSERT_TRUE(pipe.made());
    EXPECT_EQ(ReadFileSafely(pipe.path(), limit).status.fault, FileFault::NotRegular);
    EXPECT_FALSE(pipe.waited());
}

TEST(SafeFile, SameFileThroughLinksAndHardLinks) {
    TempDir dir;
    Put(dir.file("a"), "a");
    Put(dir.file("b"), "a");
    fs::create_symlink(dir.file("a"), dir.path() / "soft");
    fs::create_hard_link(dir.file("a"), dir.path() / "hard");
    const struct {
        const char* other;
        bool same;
    } rows[] = {{"a", true}, {"soft", true}, {"hard", true}, {"b", false}, {"none", false}};
    for (const auto& r : rows)
        EXPECT_EQ(IsSameFile(dir.file("a"), dir.file(r.other)), r.same) << r.other;
}

TEST(SafeFile, FailuresAreNamedInEveryLanguage) {
    for (FileFault f :
         {FileFault::Missing, FileFault::Denied, FileFault::ReadOnly, FileFault::NotRegular,
          FileFault::TooLarge, FileFault::DiskFull, FileFault::SameAsInput, FileFault::System}) {
        const std::string en = FileStatusText({f, EIO}, 1);
        EXPECT_FALSE(en.empty());
        EXPECT_NE(FileStatusText({f, EIO}, 0), en);
        EXPECT_NE(FileStatusText({f, EIO}, 2), en);
    }
    EXPECT_EQ(FileStatusText({FileFault::Missing, ENOENT}, 1), "No such file or directory");
}

// Saves killed at random moments: the file is always one whole version, and
// what a killed save leaves is gone after the next one.
TEST(SafeFile, KilledSavesLoseNothingAndLeaveNothingForLong) {
    constexpr int Trials = 100;
    std::mt19937 random(20240601);
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed temporary" : "named temporary");
        TempDir dir;
        const std::string path = dir.file("design.ampora");
        // Version k: 64 KB of the letter 'a' + k % 26, so a mix or a cut shows.
        const auto version = [](int k) { return std::string(64 * 1024, char('a' + k % 26)); };
        SafeWriteOptions options;
        options.unnamedTemporary = unnamed;
        ASSERT_TRUE(WriteFileSafely(path, version(0), options).ok());
        int lost = 0, leftovers = 0, trialsWithLeftovers = 0;
        for (int trial = 0; trial < Trials; ++trial) {
            const pid_t child = ::fork();
            if (child == 0) {
                for (int k = 1;; ++k) WriteFileSafely(path, version(k), options);
            }
            ASSERT_GT(child, 0);
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            const std::string now = Slurp(path);
            if (now.size() != 64 * 1024 || now.find_first_not_of(now[0]) != std::string::npos)
                ++lost;
            const int left = Temporaries(dir.path());
            leftovers += left;
            trialsWithLeftovers += left > 0;
        }
        ASSERT_TRUE(WriteFileSafely(path, version(0), options).ok());
        const int afterNextSave = Temporaries(dir.path());
        std::cout << "[ FIGURES  ] " << (unnamed ? "unnamed" : "named") << " temporary: " << Trials
                  << " kills, " << lost << " files lost, " << leftovers << " temporaries left in "
                  << trialsWithLeftovers << " trials, " << afterNextSave
                  << " left after the next save\n";
        EXPECT_EQ(lost, 0);
        EXPECT_EQ(afterNextSave, 0);
    }
}

}  // namespace
}  // namespace ampora
