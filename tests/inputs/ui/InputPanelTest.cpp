// Coupling of the filter lists, the copy button, the midrange switch and the
// silent validation, through the real controls.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "kit/Widgets.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class InputPanelTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        create();
        messages.clear();
    }
    void pick(int comboNo, int index) {
        QComboBox* c = combo(comboNo);
        c->setFocus();
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    QStringList items(int comboNo) const {
        QStringList list;
        for (int i = 0; i < combo(comboNo)->count(); ++i) list << combo(comboNo)->itemText(i);
        return list;
    }
};

TEST_F(InputPanelTest, TheOrderListFollowsTheType) {
    const struct {
        int type;
        QStringList orders;
        QString selected;
    } cases[] = {
        {0, {}, ""},
        {1, {"1", "2", "3", "4"}, "2"},
        {2, {"1", "2", "3", "4"}, "2"},
        {3, {"2", "4"}, "2"},
    };
    const std::pair<int, int> pairs[] = {{5, 7}, {1, 3}, {2, 4}, {6, 8}};
    for (const auto& [typeBox, orderBox] : pairs) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << "ComboBox" << typeBox << " type " << c.type);
            box(7)->setText("x");
            pick(typeBox, c.type);
            EXPECT_EQ(items(orderBox), c.orders);
            EXPECT_EQ(combo(orderBox)->currentText(), c.selected);
            EXPECT_EQ(ItemIndex(combo(orderBox)), c.type == 0 ? -1 : (c.type == 3 ? 0 : 1));
            EXPECT_NE(box(7)->text(), "x");  // results cleared and recalculated
        }
    }
}

// Text that names no type offers the Linkwitz orders while it is typed; left
// so, the type and its order come back as they were shown, and the order
// calculated is the one shown.
TEST_F(InputPanelTest, TypedTextThatNamesNoTypeGoesBackToTheTypeAndOrderShown) {
    const struct {
        const char* name;
        std::function<void()> before;
        const char* order;
    } rows[] = {
        {"as started", [] {}, "2"},
        {"order picked", [&] { pick(8, 2); }, "3"},
        {"Linkwitz picked, then typed", [&] { pick(8, 2), combo(6)->setFocus(), pick(6, 3); }, "3"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        box(9)->setFocus();
        r.before();
        QComboBox* c = combo(6);
        c->setFocus();
        c->lineEdit()->selectAll();
        QTest::keyClicks(c->lineEdit(), "Cheb");
        EXPECT_EQ(ItemIndex(c), -1);
        EXPECT_EQ(items(8), QStringList({"2", "4"}));
        box(9)->setFocus();
        EXPECT_EQ(c->currentText(), "Bessel");
        EXPECT_EQ(items(8), QStringList({"1", "2", "3", "4"}));
        EXPECT_EQ(combo(8)->currentText(), r.order);
        EXPECT_EQ(session->design().tweeterHighPass.order, QString(r.order).toInt());
        pick(8, 1);  // back to 2 for the next row
    }
}

// A stray key in an order box must not change the order: text that names no
// item goes back to what the box showed, whoever set it last.
TEST_F(InputPanelTest, AnOrderBoxReturnsToTheOrderItShowed) {
    const struct {
        const char* name;
        std::function<void()> set;
        int orderBox;
        const char* shown;
    } rows[] = {
        {"start-up", [] {}, 7, "2"},
        {"user's pick", [&] { pick(7, 3); }, 7, "4"},
        {"type changed", [&] { pick(5, 3); }, 7, "2"},  // Linkwitz: 2, 4
        {"one for all",
         [&] {
             pick(7, 1);
             QTest::mouseClick(button("ButFType"), Qt::LeftButton);
         },
         8, "4"},
        {"design opened",
         [&] {
             Design opened = session->design();
             opened.tweeterHighPass = {FilterType::Butterworth, 3, 3200};
             session->openDesign(opened);
             session->calculate();
         },
         8, "3"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        r.set();
        QComboBox* order = combo(r.orderBox);
        ASSERT_EQ(order->currentText(), r.shown);
        const Design before = session->design();
        const QString bassPower = box(7)->text();
        ASSERT_FALSE(bassPower.isEmpty());
        order->setFocus(Qt::TabFocusReason);
        QTest::keyClick(order->lineEdit(), Qt::Key_End);
        QTest::keyClicks(order->lineEdit(), "x");
        box(9)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(order->currentText(), r.shown);
        EXPECT_TRUE(session->design() == before);
        EXPECT_EQ(box(7)->text(), bassPower);
    }
}

TEST_F(InputPanelTest, OneForAllCopiesTheBassFilter) {
    pick(5, 3);  // Linkwitz
    pick(7, 1);  // order 4
    QTest::mouseClick(button("ButFType"), Qt::LeftButton);
    for (int no : {1, 2, 6}) EXPECT_EQ(combo(no)->currentText(), "Linkwitz") << no;
    for (int no : {3, 4, 8}) EXPECT_EQ(combo(no)->currentText(), "4") << no;
    EXPECT_FALSE(box(7)->text().isEmpty());
    EXPECT_TRUE(button("ButCalc")->hasFocus());

    pick(5, 0);  // no filter
    QTest::mouseClick(button("ButFType"), Qt::LeftButton);
    for (int no : {1, 2, 6}) EXPECT_EQ(ItemIndex(combo(no)), 0) << no;
    for (int no : {7, 3, 4, 8}) {
        EXPECT_EQ(combo(no)->count(), 0) << no;
        EXPECT_EQ(combo(no)->currentText(), "") << no;
    }
}

TEST_F(InputPanelTest, MidrangeSwitchMovesTheCrossoverFrequencies) {
    box(5)->setText("320");
    box(1)->setText("400");
    box(6)->setText("3200");
    check("CheckBoxMid")->setChecked(false);  // from code runs the click handler too
    EXPECT_EQ(box(5)->text(), "3200");
    EXPECT_FALSE(group("GroupBox2")->isVisible());
    EXPECT_TRUE(check("CheckBoxMid")->isVisible());
    box(6)->setText("2500");
    QTest::mouseClick(check("CheckBoxMid"), Qt::LeftButton);
    EXPECT_TRUE(check("CheckBoxMid")->isChecked());
    EXPECT_EQ(box(5)->text(), "400");
    EXPECT_EQ(box(3)->text(), "2500");
    EXPECT_TRUE(group("GroupBox2")->isVisible());
    EXPECT_TRUE(button("ButCalc")->hasFocus());
}

TEST_F(InputPanelTest, SilentValidationPutsDefaultsIntoBadBoxes) {
    const struct {
        int no;
        const char* typed;
        const char* shown;
    } cases[] = {
        {9, "abc", "100"},   {9, "12.5", "100"},    {9, "-7", "-7"},     {10, "abc", "88"},
        {12, "", "88"},      {14, "90.55", "90.6"}, {11, "4.25", "4.2"}, {13, "4.75", "4.8"},
        {15, "4.26", "4.3"}, {10, "88.0", "88"},    {5, "2k", "320"},    {1, "x", "320"},
        {3, "", "3200"},     {6, "3 200", "3200"},  {5, "0", "0"},
    };
    for (const auto& c : cases) {
        box(c.no)->setText(QString::fromUtf8(c.typed));
        inputs->CheckBoxes();
        EXPECT_EQ(box(c.no)->text(), QString::fromUtf8(c.shown))
            << "Edit" << c.no << " " << c.typed;
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(InputPanelTest, ColourSquaresRecolourTheBarsWithEitherButton) {
    const struct {
        const char* name;
        uint32_t colour;
        Qt::MouseButton button;
    } squares[] = {{"Shape10", 0x818181, Qt::LeftButton}, {"Shape9", 0x818101, Qt::RightButton},
                   {"Shape5", 0x0B7006, Qt::LeftButton},  {"Shape7", 0xFE0000, Qt::RightButton},
                   {"Shape8", 0x41B171, Qt::LeftButton},  {"Shape6", 0x739BD8, Qt::LeftButton}};
    for (const auto& s : squares) {
        QTest::mouseClick(find<QWidget>(s.name), s.button);
        EXPECT_EQ(curves->curveColor(), s.colour) << s.name;
        // Inside the 0 dB bar of band 10 (x = 228), below its outline.
        const QColor c = curves->graphImage().pixelColor(228, 100);
        EXPECT_EQ(IntFromColor(c), s.colour) << s.name;
    }
}

// The report and the Linkwitz listing read the session's design between
// calculations: it follows every change of the inputs, also the silent ones,
// with no calculation to bring it up to date.
TEST_F(InputPanelTest, TheSessionsDesignFollowsTheInputsWithoutACalculation) {
    QWidget other;  // while it is active, nothing calculates
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    struct Row {
        const char* name;
        std::function<void()> change;
        std::function<bool(const Design&)> shows;
    };
    const Row rows[] = {
        {"Linkwitz frequency typed", [&] { type(28, "50"); },
         [](const Design& d) { return d.linkwitzF1 == 50; }},
        {"midrange edge typed", [&] { type(3, "4000"); },
         [](const Design& d) { return d.midLowPass.cutHz == 4000; }},
        {"filter type picked", [&] { WindowTest::pick(6, 2); },
         [](const Design& d) {
             return d.tweeterHighPass == FilterChoice{FilterType::Butterworth, 2, 3200};
         }},
        {"one for all copies silently",
         [&] {
             WindowTest::pick(5, 3);
             WindowTest::pick(7, 1);
             inputs->ButFTypeClick();
         },
         [](const Design& d) {
             return d.tweeterHighPass.type == FilterType::Linkwitz && d.tweeterHighPass.order == 4;
         }},
        {"equalising switched off", [&] { check("CBHighEq")->setChecked(false); },
         [](const Design& d) { return !d.tweeterEqualise; }},
        {"midrange switched off", [&] { check("CheckBoxMid")->setChecked(false); },
         [](const Design& d) { return !d.midOn; }},
    };
    for (const Row& r : rows) {
        r.change();
        EXPECT_TRUE(r.shows(session->design())) << r.name;
    }
    EXPECT_TRUE(box(7)->text().isEmpty()) << "calculated since the first pick cleared the results";
}

}  // namespace
}  // namespace ampora::ui::testing
