#include "store/ProgramFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/TempDir.h"

using namespace ampora;
namespace fs = std::filesystem;

namespace {

struct FolderCase {
    const char* name;
    bool menuBesideProgram;
    bool programWritable;
    const char* userDataFolder;  // relative to the test folder; "" = the desktop has none
    FolderMode mode;
    // Expected, relative to the test folder.
    const char* data;
    const char* user;
};

// The program sits in <test>/prefix/bin/.
const FolderCase FolderCases[] = {
    {"BuildFolderIsPortable", true, true, "home/ampora", FolderMode::Portable, "prefix/bin/",
     "prefix/bin/"},
    {"InstalledReadsTheShareFolder", false, false, "home/ampora", FolderMode::Installed,
     "prefix/share/ampora/", "home/ampora/"},
    // Root may write everywhere; a program without Menu.cds beside it is
    // still installed.
    {"InstalledEvenWhereWritable", false, true, "home/ampora", FolderMode::Installed,
     "prefix/share/ampora/", "home/ampora/"},
    {"ReadOnlyUnpackedCopyKeepsItsTexts", true, false, "home/ampora", FolderMode::Installed,
     "prefix/bin/", "home/ampora/"},
    {"UserFolderGetsItsSlash", false, false, "home/ampora/", FolderMode::Installed,
     "prefix/share/ampora/", "home/ampora/"},
    {"NoUserFolderFallsBackToTheProgram", false, false, "", FolderMode::Installed,
     "prefix/share/ampora/", "prefix/bin/"},
};

class ProgramFoldersChoice : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFoldersChoice, ModeAndFolders) {
    const FolderCase& c = GetParam();
    testutil::TempDir dir;
    const std::string root = dir.folder();
    fs::create_directories(root + "prefix/bin");
    fs::create_directories(root + "prefix/share/ampora");
    std::ofstream(root + "prefix/share/ampora/Menu.cds") << "x";
    if (c.menuBesideProgram) std::ofstream(root + "prefix/bin/Menu.cds") << "x";
    const std::string user = *c.userDataFolder ? root + c.userDataFolder : std::string();

    std::string asked;
    const ProgramFolders f = ChooseProgramFolders(root + "prefix/bin", user, "../share/ampora",
                                                  [&](const std::string& folder) {
                                                      asked = folder;
                                                      return c.programWritable;
                                                  });
    EXPECT_EQ(f.mode, c.mode);
    EXPECT_EQ(f.program, root + "prefix/bin/");
    EXPECT_EQ(f.data, root + c.data);
    EXPECT_EQ(f.user, root + c.user);
    EXPECT_EQ(asked, root + "prefix/bin/");
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, ProgramFoldersChoice, ::testing::ValuesIn(FolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFolders, RelocatedPrefixFindsItsOwnShareFolder) {
    const ProgramFolders f =
        ChooseProgramFolders("/moved/here/bin/", "/h/.local/share/ampora", "../share/ampora",
                             [](const std::string&) { return false; });
    EXPECT_EQ(f.data, "/moved/here/share/ampora/");
}

TEST(ProgramFolders, TheBuiltLayoutPointsFromBinToShare) {
    // bin/ + this path must land in share/ampora of the same prefix.
    const fs::path p = (fs::path("/p/bin") / InstalledDataRelativeToProgram()).lexically_normal();
    EXPECT_EQ(p.filename(), "ampora");
    EXPECT_EQ(p.parent_path().parent_path(), "/p");
}

TEST(ProgramFolders, PrepareCreatesTheMissingUserFolderOnce) {
    testutil::TempDir dir;
    ProgramFolders f = ProgramFolders::Portable(dir.folder());
    f.mode = FolderMode::Installed;
    f.user = dir.folder() + "home/.local/share/ampora/";
    EXPECT_TRUE(PrepareUserFolder(f));
    EXPECT_TRUE(fs::is_directory(f.user));
    std::ofstream(f.user + "Curves.cds") << "kept";
    EXPECT_TRUE(PrepareUserFolder(f));
    EXPECT_TRUE(fs::exists(f.user + "Curves.cds"));
}

TEST(ProgramFolders, PrepareReportsAFolderThatCannotBeMade) {
    testutil::TempDir dir;
    std::ofstream(dir.file("file")) << "x";
    ProgramFolders f = ProgramFolders::Portable(dir.folder());
    f.user = dir.folder() + "file/ampora/";
    EXPECT_FALSE(PrepareUserFolder(f));
}

}  // namespace

// The window program takes `ampora`'s decision only when all of it is there
// and every folder is absolute with its slash; otherwise it decides itself.
TEST(ProgramFolders, PassedDecisionIsTakenOnlyWhole) {
    const ProgramFolders sent{FolderMode::Installed, "/usr/bin/", "/usr/share/ampora/",
                              "/home/u/.local/share/ampora/"};
    const struct {
        const char* name;
        const char* variable;  // changed after passing; nullptr: nothing changed
        const char* value;     // nullptr: removed
        bool taken;
    } rows[] = {
        {"AsSent", nullptr, nullptr, true},
        {"PortableToo", "AMPORA_FOLDER_MODE", "portable", true},
        {"UnknownMode", "AMPORA_FOLDER_MODE", "elsewhere", false},
        {"MissingPart", "AMPORA_DATA_FOLDER", nullptr, false},
        {"RelativeFolder", "AMPORA_USER_FOLDER", "home/", false},
        {"FolderWithoutSlash", "AMPORA_PROGRAM_FOLDER", "/usr/bin", false},
        {"EmptyFolder", "AMPORA_USER_FOLDER", "", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        PassProgramFolders(sent);
        if (r.variable && r.value) ::setenv(r.variable, r.value, 1);
        if (r.variable && !r.value) ::unsetenv(r.variable);
        const std::optional<ProgramFolders> got = PassedProgramFolders();
        ASSERT_EQ(got.has_value(), r.taken);
        if (!got) continue;
        EXPECT_EQ(got->mode, r.value ? FolderMode::Portable : sent.mode);
        EXPECT_EQ(got->program, sent.program);
        EXPECT_EQ(got->data, sent.data);
        EXPECT_EQ(got->user, sent.user);
    }
    for (const char* v : {"AMPORA_FOLDER_MODE", "AMPORA_PROGRAM_FOLDER", "AMPORA_DATA_FOLDER",
                          "AMPORA_USER_FOLDER"})
        ::unsetenv(v);
    EXPECT_FALSE(PassedProgramFolders().has_value());
}
