#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, FirstStartIsEnglishWithDefaults) {
    create();
    EXPECT_TRUE(main->MenuItems.value("CmdLangEng")->isChecked());
    EXPECT_EQ(languageIndex(), 1);
    EXPECT_EQ(box(5)->text(), "320");
    EXPECT_EQ(box(1)->text(), "320");
    EXPECT_EQ(box(3)->text(), "3200");
    EXPECT_EQ(box(6)->text(), "3200");
    for (int no : {10, 12, 14}) EXPECT_EQ(box(no)->text(), "88") << no;
    for (int no : {11, 13, 15}) EXPECT_EQ(box(no)->text(), "4") << no;
    EXPECT_EQ(session->CurCurveName, "IEC/DIN");
    ASSERT_TRUE(session->Stored.winLeft && session->Stored.winTop);
    EXPECT_EQ(main->pos(), QPoint(*session->Stored.winLeft, *session->Stored.winTop));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    // The activation at start-up calculated.
    EXPECT_FALSE(box(7)->text().isEmpty());
}

}  // namespace
}  // namespace ampora::ui::testing
