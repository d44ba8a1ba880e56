// Coupling of the filter lists, the copy button, the midrange switch and the
// silent validation, through the real controls.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
        QComboBox* c = main->combo(comboNo);
        c->setFocus();
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    QStringList items(int comboNo) const {
        QStringList list;
        for (int i = 0; i < main->combo(comboNo)->count(); ++i)
            list << main->combo(comboNo)->itemText(i);
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
            EXPECT_EQ(main->combo(orderBox)->currentText(), c.selected);
            EXPECT_EQ(ItemIndex(main->combo(orderBox)), c.type == 0 ? -1 : (c.type == 3 ? 0 : 1));
            EXPECT_NE(box(7)->text(), "x");  // results cleared and recalculated
        }
    }
}

TEST_F(InputPanelTest, TypedTextThatNamesNoTypeOffersTheLinkwitzOrders) {
    QComboBox* c = main->combo(6);
    c->setFocus();
    c->lineEdit()->selectAll();
    QTest::keyClicks(c->lineEdit(), "Cheb");
    EXPECT_EQ(ItemIndex(c), -1);
    EXPECT_EQ(items(8), QStringList({"2", "4"}));
    // Leaving returns to the index it had when it received the focus.
    box(9)->setFocus();
    EXPECT_EQ(ItemIndex(c), 1);
    EXPECT_EQ(c->currentText(), "Bessel");
    // Setting it back runs no change handler: the order list stays as it was.
    EXPECT_EQ(items(8), QStringList({"2", "4"}));
}

TEST_F(InputPanelTest, AnOrderBoxReturnsToItsRememberedIndex) {
    // Never changed since start-up: the remembered index is 0.
    QComboBox* order = main->combo(7);
    order->setFocus();
    order->lineEdit()->selectAll();
    QTest::keyClicks(order->lineEdit(), "7");
    box(9)->setFocus();
    EXPECT_EQ(order->currentText(), "1");
    // After a pick the pick is remembered.
    pick(7, 3);
    order->lineEdit()->selectAll();
    QTest::keyClicks(order->lineEdit(), "9");
    box(9)->setFocus();
    EXPECT_EQ(order->currentText(), "4");
}

TEST_F(InputPanelTest, OneForAllCopiesTheBassFilter) {
    pick(5, 3);  // Linkwitz
    pick(7, 1);  // order 4
    QTest::mouseClick(main->ButFType, Qt::LeftButton);
    for (int no : {1, 2, 6}) EXPECT_EQ(main->combo(no)->currentText(), "Linkwitz") << no;
    for (int no : {3, 4, 8}) EXPECT_EQ(main->combo(no)->currentText(), "4") << no;
    EXPECT_FALSE(box(7)->text().isEmpty());
    EXPECT_TRUE(main->ButCalc->hasFocus());

    pick(5, 0);  // no filter
    QTest::mouseClick(main->ButFType, Qt::LeftButton);
    for (int no : {1, 2, 6}) EXPECT_EQ(ItemIndex(main->combo(no)), 0) << no;
    for (int no : {7, 3, 4, 8}) {
        EXPECT_EQ(main->combo(no)->count(), 0) << no;
        EXPECT_EQ(main->combo(no)->currentText(), "") << no;
    }
}

TEST_F(InputPanelTest, MidrangeSwitchMovesTheCrossoverFrequencies) {
    box(5)->setText("320");
    box(1)->setText("400");
    box(6)->setText("3200");
    main->CheckBoxMid->setChecked(false);  // from code runs the click handler too
    EXPECT_EQ(box(5)->text(), "3200");
    EXPECT_FALSE(main->GroupBox2->isVisible());
    EXPECT_TRUE(main->CheckBoxMid->isVisible());
    box(6)->setText("2500");
    QTest::mouseClick(main->CheckBoxMid, Qt::LeftButton);
    EXPECT_TRUE(main->CheckBoxMid->isChecked());
    EXPECT_EQ(box(5)->text(), "400");
    EXPECT_EQ(box(3)->text(), "2500");
    EXPECT_TRUE(main->GroupBox2->isVisible());
    EXPECT_TRUE(main->ButCalc->hasFocus());
}

TEST_F(InputPanelTest, SilentValidationPutsDefaultsIntoBadBoxes) {
    const struct {
        int no;
        const char* typed;
        const char* shown;
    } cases[] = {
        {9, "abc", "100"},   {9, "12.5", "100"},  {9, "-7", "-7"},
        {10, "abc", "88"},   {12, "", "88"},      {14, "90.55", "90.6"},
        {11, "4.25", "4.2"}, {13, "4.75", "4.8"}, {15, "4.26", "4.3"},
        {10, "88.0", "88"},  {5, "2k", "320"},    {1, "x", "320"},
        {3, "", "3200"},     {6, "3 200", "3200"}, {5, "0", "0"},
    };
    for (const auto& c : cases) {
        box(c.no)->setText(QString::fromUtf8(c.typed));
        main->CheckBoxes();
        EXPECT_EQ(box(c.no)->text(), QString::fromUtf8(c.shown)) << "Edit" << c.no << " " << c.typed;
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(InputPanelTest, FrequencyCheckNamesTheBoxInTheCheckedLanguage) {
    const struct {
        const char* lang;
        int no;
        const char* expected;
    } cases[] = {
        {"Eng", 1, "Low cut frequency is wrong.\rEnter digital value."},
        {"Rus", 3, "Неверное значение верхней частоты раздела.\rВведите число."},
        {"Bel", 1, "Няправільнае значэнне ніжняй частаты падзела.\rУвядзіце лічбавае значэнне."},
    };
    for (const auto& c : cases) {
        main->LoadMenu(c.lang);
        box(1)->setText("320");
        box(3)->setText("3200");
        box(c.no)->setText("?");
        messages.clear();
        EXPECT_FALSE(main->CheckFreqInput());
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.expected)});
        EXPECT_TRUE(box(c.no)->hasFocus());
    }
    box(1)->setText("320");
    box(3)->setText("3200");
    EXPECT_TRUE(main->CheckFreqInput());
}

TEST_F(InputPanelTest, ColourSquaresRecolourTheBarsWithEitherButton) {
    const BandArray weights = main->BandWeight;
    const struct {
        const char* name;
        uint32_t colour;
        Qt::MouseButton button;
    } squares[] = {{"Shape10", 0x818181, Qt::LeftButton}, {"Shape9", 0x818101, Qt::RightButton},
                   {"Shape5", 0x0B7006, Qt::LeftButton},  {"Shape7", 0xFE0000, Qt::RightButton},
                   {"Shape8", 0x41B171, Qt::LeftButton},  {"Shape6", 0x739BD8, Qt::LeftButton}};
    for (const auto& s : squares) {
        QTest::mouseClick(find<QWidget>(s.name), s.button);
        EXPECT_EQ(main->CurveColor, s.colour) << s.name;
        // Inside the 0 dB bar of band 10 (x = 228), below its outline.
        const QColor c = main->graphImage().pixelColor(228, 100);
        EXPECT_EQ(IntFromColor(c), s.colour) << s.name;
        EXPECT_EQ(main->BandWeight, weights);
    }
}

}  // namespace
}  // namespace ampora::ui::testing
