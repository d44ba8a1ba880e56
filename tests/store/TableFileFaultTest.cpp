// What lies at a table file's place is not always a plain, writable file of
// ours: links, read-only files, pipes and leftovers of killed writes.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "curves/CurveStore.h"
#include "store/Settings.h"
#include "store/Table.h"
#include "tests/TempDir.h"

namespace fs = std::filesystem;
using namespace ampora;
using ampora::testutil::TempDir;

namespace {

std::vector<FieldDef> Fields() {
    return {{"Name", FieldType::String, 20}, {"Level", FieldType::Int, 0}};
}

void Save(const std::string& path, std::initializer_list<const char*> names) {
    Table t(Fields());
    t.createEmpty();
    for (const char* n : names) {
        t.insert();
        t.setField(0, std::string_view(n));
        t.post();
    }
    t.saveToFile(path);
}

std::vector<std::string> Load(const std::string& path) {
    Table t(Fields());
    t.setFileName(path);
    t.load();
    std::vector<std::string> out;
    for (int r = 0; r < t.recordCount(); ++r) out.push_back(*t.cellAt(r, 0).text);
    return out;
}

std::vector<std::string> TempFiles(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(".tmp-") != std::string::npos)
            out.push_back(e.path().filename().string());
    return out;
}

// The number of a process that has ended.
long GonePid() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    int status = 0;
    waitpid(pid, &status, 0);
    return pid;
}

}  // namespace

TEST(TableFileFaults, SavingThroughALinkReplacesTheFileItLeadsTo) {
    struct Row {
        const char* name;
        bool absolute;
        bool chain;  // a link to a link
    };
    const Row rows[] = {
        {"relative", false, false}, {"absolute", true, false}, {"chain", false, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TempDir dir;
        fs::create_directories(dir.path() / "synced");
        const fs::path real = dir.path() / "synced" / "t.cds";
        Save(real.string(), {"old"});
        const fs::path link = dir.path() / "t.cds";
        const fs::path hop = dir.path() / "hop.cds";
        const fs::path firstTarget = r.chain ? hop : real;
        if (r.chain) fs::create_symlink(fs::path("synced") / "t.cds", hop);
        fs::create_symlink(
            r.absolute ? fs::absolute(firstTarget) : firstTarget.lexically_relative(dir.path()),
            link);
        Save(link.string(), {"new"});
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link))) << "the link stays a link";
        EXPECT_EQ(Load(real.string()), std::vector<std::string>{"new"});
        EXPECT_TRUE(TempFiles(dir.path()).empty());
        EXPECT_TRUE(TempFiles(dir.path() / "synced").empty());
    }
}

TEST(TableFileFaults, AReadOnlyFileIsNotReplacedAndKeepsItsMode) {
    struct Row {
        const char* name;
        fs::perms mode;
        bool refused;
    };
    const Row rows[] = {
        {"read-only for everyone",
         fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read, true},
        {"read-only for its owner", fs::perms::owner_read, true},
        {"private", fs::perms::owner_read | fs::perms::owner_write, false},
        {"shared",
         fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
             fs::perms::group_write,
         false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TempDir dir;
        const std::string path = dir.file("t.cds");
        Save(path, {"old"});
        fs::permissions(path, r.mode);
        if (r.refused) {
            EXPECT_THROW(Save(path, {"new"}), TableError);
            EXPECT_EQ(Load(path), std::vector<std::string>{"old"});
        } else {
            Save(path, {"new"});
            EXPECT_EQ(Load(path), std::vector<std::string>{"new"});
        }
        EXPECT_EQ(fs::status(path).permissions(), r.mode);
        EXPECT_TRUE(TempFiles(dir.path()).empty());
    }
}

TEST(TableFileFaults, APipeIsRefusedAtOnceNotWaitedOn) {
    TempDir dir;
    const std::string path = dir.file("t.cds");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto loading = std::async(std::launch::async, [&] {
        Table t(Fields());
        t.setFileName(path);
        try {
            t.load();
        } catch (const TableError&) {
            return true;
        }
        return false;
    });
    ASSERT_EQ(loading.wait_for(std::chrono::seconds(5)), std::future_status::ready) << "load hangs";
    EXPECT_TRUE(loading.get());
}

TEST(TableFileFaults, TemporaryFilesOfEndedProcessesAreRemoved) {
    TempDir dir;
    const std::string path = dir.file("Curves.cds");
    const long gone = GonePid();
    struct Row {
        std::string name;
        bool removed;
    };
    const std::vector<Row> rows = {
        {"Curves.cds.tmp-" + std::to_string(gone), true},
        {"Curves.cds.tmp-" + std::to_string(getpid()), false},  // a running writer
        {"Curves.cds.tmp-abc", false},
        {"Curves.cds.tmp-", false},
        {"Other.cds.tmp-" + std::to_string(gone), false},
        {"Curves.cds.damaged-20260101-000000", false},
    };
    for (const Row& r : rows) std::ofstream(dir.file(r.name)) << "x";
    RemoveStaleTempFiles(path);
    for (const Row& r : rows) EXPECT_EQ(fs::exists(dir.file(r.name)), !r.removed) << r.name;
}

TEST(TableFileFaults, StartUpRemovesLeftoversAndKeepsAPipeAside) {
    TempDir dir;
    const long gone = GonePid();
    for (const char* f : {"Curves.cds.tmp-", "Ctmp.cds.tmp-"})
        std::ofstream(dir.file(f + std::to_string(gone))) << "half written";
    ASSERT_EQ(mkfifo(dir.file("Curves.cds").c_str(), 0600), 0);
    auto t1 = MakeCurveTable(), t2 = MakeScratchTable();
    SettingsValues settings;
    auto starting = std::async(std::launch::async,
                               [&] { return IsCurvesFile(*t1, *t2, dir.folder(), settings); });
    ASSERT_EQ(starting.wait_for(std::chrono::seconds(5)), std::future_status::ready)
        << "start-up hangs";
    const CurveStoreReport report = starting.get();
    EXPECT_TRUE(report.created);
    ASSERT_FALSE(report.keptDamagedAs.empty());
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(report.keptDamagedAs)));
    EXPECT_EQ(t1->recordCount(), 5);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.file("Curves.cds"))));
    EXPECT_TRUE(TempFiles(dir.path()).empty());
}
