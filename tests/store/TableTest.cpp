#include "store/Table.h"

#include "tests/DiskFaults.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace ampora;

namespace {

using ampora::testutil::TempDir;

std::vector<FieldDef> NameAndLevel() {
    return {{"Name", FieldType::String, 5}, {"Level", FieldType::Int, 0}};
}

void Add(Table& t, std::string_view name, std::optional<int32_t> level = std::nullopt) {
    t.insert();
    t.setField(0, name);
    if (level) t.setField(1, *level);
    t.post();
}

std::vector<std::string> Names(const Table& t) {
    std::vector<std::string> out;
    for (int r = 0; r < t.recordCount(); ++r) out.push_back(t.cellAt(r, 0).text.value_or("<null>"));
    return out;
}

void Sql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    std::string msg = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << msg;
}

}  // namespace

// ---------------------------------------------------------------------------
// Collation

struct OrderCase {
    const char* label;
    const char* before;
    const char* after;
};

class NameOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(NameOrder, SortsBeforeAndIsAntisymmetric) {
    const auto& c = GetParam();
    EXPECT_LT(CompareNames(c.before, c.after), 0);
    EXPECT_GT(CompareNames(c.after, c.before), 0);
}

INSTANTIATE_TEST_SUITE_P(Collation, NameOrder,
                         testing::Values(OrderCase{"LatinBeforeCyrillic", "Zebra", "Ангел"},
                                         OrderCase{"CaseInsensitiveFirst", "apple", "Banana"},
                                         OrderCase{"CyrillicCaseInsensitive", "вол", "Гора"},
                                         OrderCase{"YoAfterYe", "Ежевика", "Ёжик"},
                                         OrderCase{"YoBeforeZhe", "ёж", "Жук"},
                                         OrderCase{"UpperCaseBreaksTie", "IEC/DIN", "iec/din"},
                                         OrderCase{"CyrillicUpperBreaksTie", "Рок", "рок"},
                                         OrderCase{"PrefixFirst", "Шум", "Шум белый"},
                                         OrderCase{"BlankBeforeLetter", "Шум белый", "Шумы"},
                                         OrderCase{"DigitBeforeLetter", "9", "A"},
                                         OrderCase{"BelarusianIAfterI", "Ира", "Іван"},
                                         OrderCase{"BelarusianShortUAfterU", "Ус", "Ўсход"},
                                         OrderCase{"ByteBreaksTieOfInvalid", "a\x80", "a\x81"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Collation, OnlyIdenticalNamesAreEqual) {
    EXPECT_EQ(CompareNames("Классика", "Классика"), 0);
    EXPECT_EQ(CompareNames("", ""), 0);
    EXPECT_NE(CompareNames("Settings", "settings"), 0);
    EXPECT_LT(CompareNames("", "a"), 0);
}

TEST(Collation, BuiltInNamesSortInExpectedOrder) {
    std::vector<std::string> names = {"Шум розовый", "Шум белый", "Рок", "Классика", "IEC/DIN"};
    std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return CompareNames(a, b) < 0; });
    EXPECT_EQ(names,
              (std::vector<std::string>{"IEC/DIN", "Классика", "Рок", "Шум белый", "Шум розовый"}));
}

struct CutCase {
    const char* label;
    const char* in;
    int max;
    const char* out;
};

class Utf8Cut : public testing::TestWithParam<CutCase> {};

TEST_P(Utf8Cut, NeverSplitsACharacter) {
    EXPECT_EQ(TruncateUtf8(GetParam().in, GetParam().max), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Truncate, Utf8Cut,
                         testing::Values(CutCase{"Ascii", "abcdef", 3, "abc"},
                                         CutCase{"Short", "ab", 3, "ab"},
                                         CutCase{"TwoByte", "Шум белый", 4, "Шум "},
                                         CutCase{"ThreeByte", "a€b€", 2, "a€"},
                                         CutCase{"FourByte", "😀😀x", 1, "😀"},
                                         CutCase{"Zero", "abc", 0, ""}),
                         [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------
// In memory

TEST(TableIndex, KeepsNameOrderAndPostLeavesCursorOnRecord) {
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    for (const char* n : {"Рок", "IEC", "Ёлка", "Ель", "abc"}) {
        Add(t, n);
        EXPECT_EQ(t.fieldText(0), n);  // cursor follows the posted record
    }
    EXPECT_EQ(Names(t), (std::vector<std::string>{"abc", "IEC", "Ель", "Ёлка", "Рок"}));
    ASSERT_TRUE(t.locate(0, "Ель"));
    EXPECT_EQ(t.recNo(), 3);
}

TEST(TableIndex, EqualKeysKeepInsertionOrderAlsoDescending) {
    for (IndexOrder order : {IndexOrder::Ascending, IndexOrder::Descending}) {
        Table t(NameAndLevel(), 0, order);
        t.createEmpty();
        Add(t, "B", 1);
        Add(t, "A", 0);
        Add(t, "B", 2);
        Add(t, "C", 0);
        Add(t, "B", 3);
        std::vector<int> levels;
        for (int r = 0; r < t.recordCount(); ++r)
            if (*t.cellAt(r, 0).text == "B") levels.push_back(*t.cellAt(r, 1).number);
        EXPECT_EQ(levels, (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(*t.cellAt(0, 0).text, order == IndexOrder::Ascending ? "A" : "C");
        ASSERT_TRUE(t.locate(0, "B"));
        EXPECT_EQ(t.fieldInt(1), 1);  // the first match in order
    }
}

TEST(TableIndex, EditingTheKeyResortsAndFollowsTheRecord) {
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    Add(t, "a", 1);
    Add(t, "b", 2);
    Add(t, "c", 3);
    t.setRecNo(1);
    t.edit();
    t.setField(0, std::string_view("d"));
    t.post();
    EXPECT_EQ(Names(t), (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_EQ(t.fieldInt(1), 1);
}

TEST(TableCursor, UnreachableRecordNumberThrowsAndKeepsCursor) {
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    EXPECT_LT(t.recNo(), 1);
    EXPECT_THROW(t.setRecNo(1), TableError);
    Add(t, "a");
    Add(t, "b");
    t.setRecNo(2);
    for (int bad : {0, -1, 3}) {
        EXPECT_THROW(t.setRecNo(bad), TableError) << bad;
        EXPECT_EQ(t.recNo(), 2);
    }
}

TEST(TableCursor, LocateIsExactAndLeavesCursorWhenNotFound) {
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    Add(t, "IEC", 7);
    Add(t, "Rock", 8);
    Add(t, "Pop", 7);
    t.setRecNo(2);
    for (const char* miss : {"iec", "IE", "IEC ", "", "Rock!"}) {
        EXPECT_FALSE(t.locate(0, miss)) << miss;
        EXPECT_EQ(t.recNo(), 2);
    }
    // A field without the index is scanned in order.
    ASSERT_TRUE(t.locate(1, "7"));
    EXPECT_EQ(t.fieldText(0), "IEC");
    EXPECT_FALSE(t.locate(1, "seven"));
    EXPECT_EQ(t.fieldText(0), "IEC");
}

TEST(TableCursor, DeleteMovesToFollowingOrNewLast) {
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    for (const char* n : {"a", "b", "c"}) Add(t, n);
    t.setRecNo(2);
    t.remove();
    EXPECT_EQ(t.fieldText(0), "c");
    t.remove();
    EXPECT_EQ(t.fieldText(0), "a");
    EXPECT_EQ(t.recNo(), 1);
    t.remove();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_LT(t.recNo(), 1);
    EXPECT_EQ(t.fieldText(0), "");
    EXPECT_THROW(t.remove(), TableError);
    EXPECT_THROW(t.edit(), TableError);
}

TEST(TableCursor, WalkVisitsEveryRecordOnce) {
    Table t(NameAndLevel());
    t.createEmpty();
    for (const char* n : {"z", "a", "m"}) Add(t, n);
    std::vector<std::string> seen;
    for (t.first(); !t.eof(); t.next()) seen.push_back(t.fieldText(0));
    EXPECT_EQ(seen, (std::vector<std::string>{"z", "a", "m"}));  // stored order without an index
}

TEST(TableFields, NullEmptyAndTypeRules) {
    Table t(NameAndLevel());
    t.createEmpty();
    EXPECT_THROW(t.setField(0, std::string_view("x")), TableError);  // nothing pending
    t.insert();
    t.setField(0, std::string_view("Классика"));  // 8 characters into 5
    t.post();
    EXPECT_EQ(t.fieldText(0), "Класс");
    EXPECT_TRUE(t.fieldIsNull(1));
    EXPECT_EQ(t.fieldText(1), "");
    EXPECT_THROW(t.fieldInt(1), TableError);
    EXPECT_THROW(t.fieldInt("Name"), TableError);
    EXPECT_THROW(t.fieldText("Missing"), TableError);
    EXPECT_THROW(t.fieldText(2), TableError);

    t.insert();
    t.setField(0, std::string_view(""));
    t.setField(1, std::string_view("-12"));
    t.post();
    EXPECT_FALSE(t.fieldIsNull(0));  // empty text is not an empty field
    EXPECT_EQ(t.fieldInt("Level"), -12);
    t.edit();
    EXPECT_THROW(t.setField(1, std::string_view("1.5")), TableError);
    t.cancel();
    EXPECT_EQ(t.fieldInt(1), -12);
}

TEST(TableFields, MovingTheCursorPostsPendingRecord) {
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    Add(t, "b");
    t.insert();
    t.setField(0, std::string_view("a"));
    t.first();
    EXPECT_EQ(Names(t), (std::vector<std::string>{"a", "b"}));
    t.insert();
    t.setField(0, std::string_view("c"));
    t.remove();  // drops the pending insert only
    EXPECT_EQ(Names(t), (std::vector<std::string>{"a", "b"}));
}

TEST(TableObserver, SuspendedWhileControlsAreDisabled) {
    Table t(NameAndLevel());
    int calls = 0;
    t.setObserver([&] { ++calls; });
    t.createEmpty();
    EXPECT_EQ(calls, 1);
    t.disableControls();
    Add(t, "a");
    t.first();
    t.next();
    EXPECT_EQ(calls, 1);
    t.enableControls();
    EXPECT_EQ(calls, 2);
    t.enableControls();  // unbalanced: ignored
    EXPECT_EQ(calls, 2);
}

// ---------------------------------------------------------------------------
// Files

TEST(TableFile, RoundTripKeepsValuesNullsAndStoredOrder) {
    TempDir dir;
    const std::string path = dir.file("t.cds");
    {
        Table t(NameAndLevel(), 0, IndexOrder::Descending);
        t.createEmpty();
        Add(t, "b", INT32_MIN);
        Add(t, "", INT32_MAX);
        Add(t, "ё\"'", 0);
        t.insert();
        t.post();  // all fields empty
        t.saveToFile(path);
    }
    EXPECT_FALSE(fs::exists(path + ".tmp-" + std::to_string(getpid())));

    // Stored order is the order of insertion, whatever the index says.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT quote(Name), quote(Level) FROM records ORDER BY rowid",
                                 -1, &st, nullptr),
              SQLITE_OK);
    std::vector<std::string> stored;
    while (sqlite3_step(st) == SQLITE_ROW)
        stored.push_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) +
                         "|" + reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    sqlite3_finalize(st);
    sqlite3_close(db);
    EXPECT_EQ(stored, (std::vector<std::string>{"'b'|-2147483648", "''|2147483647", "'ё\"'''|0",
                                                "NULL|NULL"}));

    Table back(NameAndLevel(), 0, IndexOrder::Descending);
    back.setFileName(path);
    back.load();
    EXPECT_EQ(Names(back), (std::vector<std::string>{"ё\"'", "b", "", "<null>"}));
    EXPECT_EQ(back.recNo(), 1);
    EXPECT_FALSE(back.modified());
    ASSERT_TRUE(back.locate(0, ""));
    EXPECT_EQ(back.fieldInt(1), INT32_MAX);
}

struct BadFile {
    const char* label;
    const char* sql;  // nullptr: raw bytes below
    const char* bytes;
};

class UnreadableFile : public testing::TestWithParam<BadFile> {};

TEST_P(UnreadableFile, LoadThrowsAndKeepsContents) {
    TempDir dir;
    const std::string path = dir.file("bad.cds");
    const BadFile& c = GetParam();
    if (c.sql) {
        Sql(path, c.sql);
    } else if (c.bytes) {
        std::ofstream(path, std::ios::binary) << c.bytes;
    }
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.createEmpty();
    Add(t, "keep", 1);
    t.setFileName(path);
    EXPECT_THROW(t.load(), TableError);
    EXPECT_EQ(Names(t), std::vector<std::string>{"keep"});
    EXPECT_TRUE(t.modified());
}

INSTANTIATE_TEST_SUITE_P(
    TableFile, UnreadableFile,
    testing::Values(
        BadFile{"Missing", nullptr, nullptr},
        BadFile{"Garbage", nullptr, "this is no database at all"}, BadFile{"Empty", nullptr, ""},
        BadFile{"NoRecordsTable", "CREATE TABLE other(x)", nullptr},
        BadFile{"WrongColumnName", "CREATE TABLE records(Name TEXT, Lvl INTEGER)", nullptr},
        BadFile{"WrongColumnType", "CREATE TABLE records(Name TEXT, Level TEXT)", nullptr},
        BadFile{"MissingColumn", "CREATE TABLE records(Name TEXT)", nullptr},
        BadFile{"ExtraColumn", "CREATE TABLE records(Name TEXT, Level INTEGER, x INTEGER)",
                nullptr},
        BadFile{"NewerVersion",
                "CREATE TABLE records(Name TEXT, Level INTEGER); PRAGMA user_version=2", nullptr},
        BadFile{
            "TextInIntegerColumn",
            "CREATE TABLE records(Name TEXT, Level INTEGER); INSERT INTO records VALUES('a','x')",
            nullptr},
        BadFile{"IntegerOutOfRange",
                "CREATE TABLE records(Name TEXT, Level INTEGER); INSERT INTO records "
                "VALUES('a',4294967296)",
                nullptr},
        BadFile{
            "BlobName",
            "CREATE TABLE records(Name TEXT, Level INTEGER); INSERT INTO records VALUES(x'00',1)",
            nullptr}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TableFile, TruncatedDatabaseIsDamaged) {
    TempDir dir;
    const std::string path = dir.file("t.cds");
    {
        Table t(NameAndLevel());
        t.createEmpty();
        for (int k = 0; k < 2000; ++k) Add(t, "n" + std::to_string(k % 1000), k);
        t.saveToFile(path);
    }
    fs::resize_file(path, fs::file_size(path) / 2);
    Table t(NameAndLevel());
    t.setFileName(path);
    EXPECT_THROW(t.load(), TableError);
}

TEST(TableFile, CloseWritesBackOnlyWhenChanged) {
    TempDir dir;
    const std::string path = dir.file("t.cds");
    Table t(NameAndLevel(), 0, IndexOrder::Ascending);
    t.setFileName(path);
    t.createEmpty();
    Add(t, "x", 1);
    t.close();
    EXPECT_FALSE(t.isOpen());
    EXPECT_EQ(t.recordCount(), 0);

    t.load();
    EXPECT_EQ(Names(t), std::vector<std::string>{"x"});
    fs::remove(path);
    t.close();  // unchanged since loading: nothing written
    EXPECT_FALSE(fs::exists(path));
}

TEST(TableFile, FailedSaveKeepsOldFileAndCloseReportsIt) {
    TempDir dir;
    const std::string path = dir.file("t.cds");
    Table t(NameAndLevel());
    t.setFileName(path);
    t.createEmpty();
    Add(t, "old");
    t.saveToFile(path);

    // The temporary file cannot be created: the old file must survive.
    const std::string temp = path + ".tmp-" + std::to_string(getpid());
    fs::create_directories(fs::path(temp) / "blocker");
    Add(t, "new");
    EXPECT_THROW(t.saveToFile(path), TableError);
    fs::remove_all(temp);
    Table old(NameAndLevel());
    old.setFileName(path);
    old.load();
    EXPECT_EQ(Names(old), std::vector<std::string>{"old"});

    // The target cannot be replaced: close reports it and still closes.
    fs::remove(path);
    fs::create_directories(fs::path(path) / "blocker");
    try {
        t.close();
        ADD_FAILURE() << "close did not report the failed write-back";
    } catch (const TableError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(t.isOpen());
    EXPECT_FALSE(fs::exists(temp));
}

#ifndef _WIN32
TEST(TableFile, ReadOnlyFolderMakesCloseThrow) {
    TempDir dir;
    const fs::path folder = fs::path(dir.file("ro"));
    fs::create_directories(folder);
    Table t(NameAndLevel());
    t.setFileName((folder / "t.cds").string());
    t.createEmpty();
    Add(t, "x");
    // Root ignores the folder's permission bits; a read-only mount stops it.
    ampora::testutil::ReadOnlyFolder readOnly(folder);
    if (!readOnly.skipReason().empty()) GTEST_SKIP() << readOnly.skipReason();
    EXPECT_THROW(t.close(), TableError);
}
#endif
