// A scratch save skips only the flush: it still replaces the file whole, with
// nothing left beside it, and reads back as written.

#include "store/Table.h"

#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace ampora;

namespace {

std::vector<FieldDef> Fields() {
    return {{"Name", FieldType::String, 10}, {"Level", FieldType::Int, 0}};
}

class SaveDurability : public ::testing::TestWithParam<Table::Durability> {};

TEST_P(SaveDurability, ReplacesTheFileWholeAndReadsBack) {
    testutil::TempDir dir;
    const std::string path = dir.file("t.cds");
    {
        std::ofstream old(path);
        old << "not a database: the save must replace it";
    }
    Table t(Fields());
    t.createEmpty();
    for (int i = 0; i < 3; ++i) {
        t.insert();
        t.setField(0, "n" + std::to_string(i));
        t.setField(1, -i);
        t.post();
    }
    t.saveToFile(path, GetParam());

    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) {
        ++files;
        EXPECT_EQ(e.path().filename(), "t.cds") << "left beside it";
    }
    EXPECT_EQ(files, 1);
    Table back(Fields());
    back.setFileName(path);
    back.load();
    ASSERT_EQ(back.recordCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(back.cellAt(r, 0).text.value_or(""), "n" + std::to_string(r));
        EXPECT_EQ(back.cellAt(r, 1).number.value_or(1), -r);
    }
}

TEST_P(SaveDurability, AFolderThatIsNotThereFailsAndLeavesNothing) {
    testutil::TempDir dir;
    Table t(Fields());
    t.createEmpty();
    EXPECT_THROW(t.saveToFile(dir.file("missing/t.cds"), GetParam()), TableError);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Both, SaveDurability,
                         ::testing::Values(Table::Durability::Durable, Table::Durability::Scratch));

}  // namespace
