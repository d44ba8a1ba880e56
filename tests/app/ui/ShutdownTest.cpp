#include <QAction>
#include <QDir>

#include "curves/CurveStore.h"
#include "store/Table.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

using ShutdownTest = WindowTest;

TEST_F(ShutdownTest, AFailedWriteBackIsReportedWithTheFileName) {
    create();
    loadMenu("Eng");
    // Something that cannot be replaced by a file now stands in the way.
    ASSERT_TRUE(QFile::remove(folder + "Curves.cds"));
    ASSERT_TRUE(QDir().mkdir(folder + "Curves.cds"));
    messages.clear();
    closeMain();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              "Could not save the curves and settings to the file " + folder + "Curves.cds");
}

TEST_F(ShutdownTest, ClosingWritesCurvesAndOneSettingsRecord) {
    create();
    closeMain();
    destroy();
    Table t(CurveFields(), 0, IndexOrder::Ascending);
    t.setFileName((folder + "Curves.cds").toStdString());
    t.load();
    EXPECT_EQ(t.recordCount(), 6);
    int settings = 0;
    for (int i = 0; i < t.recordCount(); ++i)
        if (t.cellAt(i, 0).text == std::string("Settings")) ++settings;
    EXPECT_EQ(settings, 1);
    EXPECT_FALSE(QFile::exists(folder + "Ctmp.cds"));
}

}  // namespace
}  // namespace ampora::ui::testing
