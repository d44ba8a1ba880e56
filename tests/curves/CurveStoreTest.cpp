#include "curves/CurveStore.h"

#include "tests/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "store/Settings.h"

namespace fs = std::filesystem;
using namespace ampora;

namespace {

// The damaged curve files kept aside in a folder, in name order.
std::vector<std::string> KeptFiles(const ampora::testutil::TempDir& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir.path()))
        if (e.path().filename().string().rfind("Curves.cds.damaged-", 0) == 0)
            out.push_back(e.path().string());
    std::sort(out.begin(), out.end());
    return out;
}
using ampora::testutil::TempDir;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Names(const Table& t) {
    std::vector<std::string> out;
    for (int r = 0; r < t.recordCount(); ++r) out.push_back(*t.cellAt(r, 0).text);
    return out;
}

void AddCurve(Table& t, const std::string& name, int32_t level) {
    t.insert();
    t.setField(0, std::string_view(name));
    for (int k = 1; k <= 31; ++k) t.setField(k, level);
    t.post();
}

void WriteCurves(const std::string& path,
                 const std::vector<std::pair<std::string, int32_t>>& curves,
                 std::optional<SettingsValues> settings = std::nullopt) {
    auto t = MakeCurveTable();
    t->createEmpty();
    for (const auto& [name, level] : curves) AddCurve(*t, name, level);
    if (settings) AppendSettingsRecord(*t, *settings);
    t->saveToFile(path);
}

const std::vector<std::string> BuiltInOrder = {"IEC/DIN", "Классика", "Рок", "Шум белый",
                                               "Шум розовый"};

struct Store {
    std::unique_ptr<Table> t1 = MakeCurveTable(), t2 = MakeScratchTable();
    SettingsValues settings;
    CurveStoreReport report;
    explicit Store(const TempDir& dir) {
        settings.languageCode = -7;  // must be overwritten
        report = IsCurvesFile(*t1, *t2, dir.folder(), settings);
    }
};

}  // namespace

TEST(CurveStore, FirstStartCreatesBuiltInsAndDefaults) {
    TempDir dir;
    Store s(dir);
    EXPECT_TRUE(s.report.created);
    EXPECT_EQ(s.report.keptDamagedAs, "");
    EXPECT_EQ(Names(*s.t1), BuiltInOrder);
    EXPECT_EQ(s.t1->recNo(), 1);
    EXPECT_EQ(s.t1->fieldText(0), "IEC/DIN");
    for (int n = 1; n <= 5; ++n) {
        s.t1->setRecNo(n);
        EXPECT_EQ(s.t1->fieldText(0), BuiltInOrder[n - 1]);
    }
    EXPECT_EQ(s.settings.languageCode, 2);
    EXPECT_EQ(s.settings.ampPower, 100);
    EXPECT_FALSE(s.settings.winLeft);
    EXPECT_TRUE(fs::exists(dir.file("Curves.cds")));
    EXPECT_TRUE(fs::exists(dir.file("Ctmp.cds")));
    EXPECT_TRUE(s.t2->isOpen());
    EXPECT_EQ(s.t2->recordCount(), 0);
    EXPECT_TRUE(s.t1->modified());  // the built-ins reach the file at the end
}

struct LevelCase {
    const char* curve;
    int band;  // 1..31
    int32_t level;
};

class BuiltInLevels : public testing::TestWithParam<LevelCase> {};

TEST_P(BuiltInLevels, MatchTheTable) {
    TempDir dir;
    Store s(dir);
    ASSERT_TRUE(s.t1->locate(0, GetParam().curve));
    EXPECT_EQ(s.t1->fieldInt(GetParam().band), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(
    CurveStore, BuiltInLevels,
    testing::Values(LevelCase{"IEC/DIN", 1, -13}, LevelCase{"IEC/DIN", 9, 0},
                    LevelCase{"IEC/DIN", 31, -22}, LevelCase{"Классика", 1, -36},
                    LevelCase{"Классика", 14, 0}, LevelCase{"Классика", 31, -40},
                    LevelCase{"Рок", 7, 0}, LevelCase{"Рок", 23, -6}, LevelCase{"Рок", 31, -27},
                    LevelCase{"Шум белый", 1, -30}, LevelCase{"Шум белый", 31, 0},
                    LevelCase{"Шум розовый", 17, 0}));

TEST(CurveStore, BuiltInTablesAreComplete) {
    int32_t whiteSum = 0, iecSum = 0;
    for (int k = 0; k < 31; ++k) {
        EXPECT_EQ(BuiltInCurves[0].levels[k], 0);
        whiteSum += BuiltInCurves[1].levels[k];
        iecSum += PresetIecDin[k];
    }
    EXPECT_EQ(whiteSum, -465);  // -30 .. 0
    EXPECT_EQ(iecSum, -140);
    EXPECT_EQ(BuiltInCurves[4].levels, PresetIecDin);
}

struct DamageCase {
    const char* label;
    const char* bytes;  // nullptr: a database of another layout
};

class DamagedFile : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, IsKeptAsideAndReplaced) {
    TempDir dir;
    const std::string path = dir.file("Curves.cds");
    if (GetParam().bytes) {
        std::ofstream(path, std::ios::binary) << GetParam().bytes;
    } else {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE records(CurveName TEXT, level INTEGER)", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    const std::string original = ReadAll(path);
    {
        Store s(dir);
        EXPECT_TRUE(s.report.created);
        ASSERT_EQ(KeptFiles(dir).size(), 1u);
        EXPECT_EQ(s.report.keptDamagedAs, KeptFiles(dir)[0]);
        EXPECT_EQ(ReadAll(s.report.keptDamagedAs), original);
        EXPECT_EQ(Names(*s.t1), BuiltInOrder);
    }
    // A second damaged file in the same second must not overwrite the first.
    std::ofstream(path, std::ios::binary) << "second damage";
    Store again(dir);
    const auto kept = KeptFiles(dir);
    ASSERT_EQ(kept.size(), 2u);
    std::vector<std::string> contents = {ReadAll(kept[0]), ReadAll(kept[1])};
    std::sort(contents.begin(), contents.end());
    std::vector<std::string> expected = {original, "second damage"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(contents, expected);
}

INSTANTIATE_TEST_SUITE_P(CurveStore, DamagedFile,
                         testing::Values(DamageCase{"Garbage", "\x01\x02 not a curve file \xff"},
                                         DamageCase{"WrongLayout", nullptr}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(CurveStore, OnlySettingsLoadsWithoutBuiltIns) {
    TempDir dir;
    SettingsValues v;
    v.ampPower = 250;
    WriteCurves(dir.file("Curves.cds"), {}, v);
    Store s(dir);
    EXPECT_FALSE(s.report.created);
    EXPECT_EQ(s.t1->recordCount(), 0);
    EXPECT_EQ(s.settings.ampPower, 250);
}

TEST(CurveStore, DuplicatedSettingsAreBothRemovedFirstOneWins) {
    TempDir dir;
    {
        auto t = MakeCurveTable();
        t->createEmpty();
        AddCurve(*t, "Mine", -3);
        SettingsValues first, second;
        first.ampPower = 111;
        second.ampPower = 222;
        AppendSettingsRecord(*t, first);
        AppendSettingsRecord(*t, second);
        t->saveToFile(dir.file("Curves.cds"));
    }
    Store s(dir);
    EXPECT_EQ(Names(*s.t1), std::vector<std::string>{"Mine"});
    EXPECT_EQ(s.settings.ampPower, 111);
}

TEST(CurveStore, NamesDifferingInCaseAreDifferentCurves) {
    TempDir dir;
    WriteCurves(dir.file("Curves.cds"), {{"iec/din", -1}});
    Store s(dir);
    EXPECT_EQ(Names(*s.t1), std::vector<std::string>{"iec/din"});  // had a record: no built-ins
    EXPECT_FALSE(s.t1->locate(0, "IEC/DIN"));
    AddCurve(*s.t1, "IEC/DIN", -2);
    EXPECT_EQ(Names(*s.t1), (std::vector<std::string>{"IEC/DIN", "iec/din"}));
}

TEST(CurveStore, ShutDownAndRestartKeepCurvesAndSettings) {
    TempDir dir;
    SettingsValues saved;
    {
        Store s(dir);
        AddCurve(*s.t1, "Моя", -5);
        ASSERT_TRUE(s.t1->locate(0, "Рок"));
        saved.languageCode = 1;
        saved.lfSens = 90.5;
        saved.mfImp = 6.8;
        saved.savedCurveRecNo = s.t1->recNo();
        saved.winLeft = 10;
        saved.winTop = 20;
        RewriteCurveTables(*s.t1, *s.t2, saved);
        EXPECT_FALSE(fs::exists(dir.file("Ctmp.cds")));
        EXPECT_FALSE(s.t2->isOpen());
        EXPECT_EQ(s.t1->recordCount(), 7);
        s.t1->close();
    }
    EXPECT_FALSE(fs::exists(dir.file("Ctmp.cds")));
    Store s(dir);
    EXPECT_FALSE(s.report.created);
    EXPECT_EQ(Names(*s.t1), (std::vector<std::string>{"IEC/DIN", "Классика", "Моя", "Рок",
                                                      "Шум белый", "Шум розовый"}));
    EXPECT_EQ(s.settings.languageCode, 1);
    EXPECT_DOUBLE_EQ(s.settings.lfSens, 90.5);
    EXPECT_DOUBLE_EQ(s.settings.mfImp, 6.8);
    EXPECT_EQ(s.settings.winLeft, 10);
    EXPECT_EQ(s.settings.winTop, 20);
    s.t1->setRecNo(s.settings.savedCurveRecNo);
    EXPECT_EQ(s.t1->fieldText(0), "Рок");
    ASSERT_TRUE(s.t1->locate(0, "Моя"));
    EXPECT_EQ(s.t1->fieldInt(31), -5);
}

TEST(CurveStore, EmptyTableAtExitWritesNoSettings) {
    TempDir dir;
    {
        Store s(dir);
        while (s.t1->recordCount() > 0) s.t1->remove();
        SettingsValues v;
        v.ampPower = 999;
        RewriteCurveTables(*s.t1, *s.t2, v);
        EXPECT_FALSE(fs::exists(dir.file("Ctmp.cds")));
        s.t1->close();
    }
    Store s(dir);
    EXPECT_EQ(Names(*s.t1), BuiltInOrder);
    EXPECT_EQ(s.settings.ampPower, 100);
}

TEST(CurveStore, UnwritableFolderStillStartsAndCloseReports) {
    TempDir dir;
    const std::string folder = dir.file("no-such-folder") + "/";
    auto t1 = MakeCurveTable(), t2 = MakeScratchTable();
    SettingsValues v;
    CurveStoreReport r;
    ASSERT_NO_THROW(r = IsCurvesFile(*t1, *t2, folder, v));
    EXPECT_TRUE(r.created);
    EXPECT_EQ(Names(*t1), BuiltInOrder);
    RewriteCurveTables(*t1, *t2, v);
    EXPECT_THROW(t1->close(), TableError);
}
