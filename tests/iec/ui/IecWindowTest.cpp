#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>
#include <cmath>

#include "tests/app/ui/Fixture.h"
#include "tests/i18n/ui/SettingsFile.h"

namespace ampora::ui::testing {
namespace {

class IecWindowTest : public WindowTest {
protected:
    // The tool on screen and active, as after opening it from the menu.
    void showTool() {
        iec->show();
        iec->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(iec));
    }
    void enter(const char* power, const char* cut, int orderIdx = 1) {
        iec->Edit1->setText(QString::fromUtf8(power));
        iec->Edit3->setText(QString::fromUtf8(cut));
        iec->ComboBox1->setCurrentIndex(orderIdx);
    }
    QString result() const { return iec->Edit5->text(); }
};

// Places and built-in captions are checked with the other windows' layout;
// here what the tool's behaviour relies on.
TEST_F(IecWindowTest, ColumnsBoxesAndOrderList) {
    create(false);
    EXPECT_EQ(iec->objectName(), "F_IecGost");
    EXPECT_EQ(iec->minimumSize(), iec->maximumSize()) << "fixed border";
    EXPECT_FALSE(iec->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(iec->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(iec->GroupBox1->parentWidget(), iec->GroupBox3);
    EXPECT_EQ(iec->GroupBox2->parentWidget(), iec->GroupBox3);
    // Row by row the data-sheet column faces the result column.
    for (QWidget* w : {static_cast<QWidget*>(iec->Edit1), static_cast<QWidget*>(iec->Edit3),
                       static_cast<QWidget*>(iec->Edit4)})
        EXPECT_EQ(w->parentWidget(), iec->GroupBox1) << w->objectName().toStdString();
    for (QWidget* w : {static_cast<QWidget*>(iec->Edit5), static_cast<QWidget*>(iec->Edit7),
                       static_cast<QWidget*>(iec->ComboBox1)})
        EXPECT_EQ(w->parentWidget(), iec->GroupBox2) << w->objectName().toStdString();
    EXPECT_EQ(iec->Edit5->y(), iec->Edit1->y());
    EXPECT_EQ(iec->Edit7->y(), iec->Edit3->y());
    EXPECT_EQ(iec->ComboBox1->y(), iec->Edit4->y());
    ASSERT_EQ(iec->ComboBox1->count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(iec->ComboBox1->itemText(i), QString::number(i + 1));
    for (QLineEdit* e : {iec->Edit4, iec->Edit5}) {
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
        EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus) << "not a tab stop";
    }
    EXPECT_FALSE(iec->Edit1->isReadOnly());
    EXPECT_FALSE(iec->Edit3->isReadOnly());
    ASSERT_NE(iec->StatusBar1, nullptr);
    EXPECT_EQ(iec->StatusBar1->geometry().bottom(), iec->height() - 1) << "at the bottom edge";
    EXPECT_TRUE(iec->StatusBar1->currentMessage().isEmpty());
}

TEST_F(IecWindowTest, ShownToolHidesTheRealFilterAndCentres) {
    create();
    showTool();
    EXPECT_TRUE(iec->Edit1->isVisible());
    EXPECT_FALSE(iec->Edit7->isVisible());
    EXPECT_FALSE(iec->ComboBox1->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = iec->frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1);
    // Showing calculates with the stored defaults.
    EXPECT_EQ(result(), "21.63");
}

TEST_F(IecWindowTest, RealPermissiblePower) {
    create();
    struct Row {
        const char* name;
        const char* power;
        const char* cut;
        int orderIdx;
        const char* want;
        const char* cutShown;  // Edit3 (and Edit7) after the calculation
    };
    const Row rows[] = {
        {"defaults", "100", "3000", 1, "21.63", "3000"},
        {"at 2000 Hz", "100", "2000", 1, "28.67", "2000"},
        {"1000 Hz is raised to 2000", "100", "1000", 1, "28.67", "2000"},
        {"zero cut is raised", "100", "0", 1, "28.67", "2000"},
        {"negative cut is raised", "100", "-500", 1, "28.67", "2000"},
        {"at 5000 Hz", "100", "5000", 1, "13.79", "5000"},
        {"60 W at 4000 Hz", "60", "4000", 1, "10.24", "4000"},
        {"real first order", "100", "3000", 0, "18.64", "3000"},
        {"real third order", "100", "3000", 2, "22.9", "3000"},
        {"real fourth order", "100", "3000", 3, "23.63", "3000"},
        {"no power", "0", "3000", 1, "0", "3000"},
        {"negative power", "-100", "3000", 1, "-21.63", "3000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        enter(r.power, r.cut, r.orderIdx);
        iec->Edit7->setText(QStringLiteral("12345"));
        iec->CalcPower();
        EXPECT_EQ(result(), QString::fromUtf8(r.want));
        EXPECT_EQ(iec->Edit3->text(), QString::fromUtf8(r.cutShown));
        EXPECT_EQ(iec->Edit7->text(), QString::fromUtf8(r.cutShown)) << "real cut follows";
        EXPECT_EQ(iec->RealOrderIdx, r.orderIdx);
    }
}

TEST_F(IecWindowTest, ResultUsesTheLocaleSeparator) {
    create();
    SetDecimalSeparator(',');
    enter("100", "3000");
    iec->CalcPower();
    EXPECT_EQ(result(), "21,63");
}

TEST_F(IecWindowTest, CutAboveTheGridUsesItsLastPoint) {
    create();
    enter("100", "20480");
    iec->CalcPower();
    const QString top = result();
    bool ok = false;
    const double topValue = top.toDouble(&ok);
    ASSERT_TRUE(ok) << top.toStdString();
    EXPECT_TRUE(std::isfinite(topValue));
    EXPECT_GT(topValue, 0.0);
    for (const char* cut : {"20021", "30000", "2147483647"}) {
        enter("100", cut);
        iec->CalcPower();
        EXPECT_EQ(result(), top) << cut;
        EXPECT_EQ(iec->Edit3->text(), QString::fromUtf8(cut)) << "not rewritten";
    }
    // Just below the top the nearest point is still inside the grid.
    enter("100", "20000");
    iec->CalcPower();
    EXPECT_NE(result(), top);
}

TEST_F(IecWindowTest, OrderListWithoutSelectionTakesSecondOrder) {
    create();
    enter("100", "3000", -1);
    iec->RealOrderIdx = 3;
    iec->CalcPower();
    EXPECT_EQ(iec->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(iec->RealOrderIdx, 1);
    EXPECT_EQ(result(), "21.63");

    // An index outside the list, as a hand-edited settings file can hold.
    iec->setInputs(100, 3000, 3000, 9);
    EXPECT_EQ(iec->realOrderIndex(), 1) << "what would be stored";
    iec->CalcPower();
    EXPECT_EQ(result(), "21.63");
}

TEST_F(IecWindowTest, NotANumberLeavesResultEmptyAndFocusOnTheBox) {
    create();
    showTool();
    struct Row { const char* name; const char* power; const char* cut; bool powerBad; };
    const Row rows[] = {{"letters as power", "abc", "3000", true},
                        {"real number as power", "12.5", "3000", true},
                        {"empty power", "", "3000", true},
                        {"letters as cut", "100", "3k", false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        iec->Edit5->setText(QStringLiteral("old"));
        enter(r.power, r.cut);
        QLineEdit* other = r.powerBad ? iec->Edit3 : iec->Edit1;
        other->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        iec->CalcPower();
        QApplication::processEvents();
        EXPECT_TRUE(result().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), r.powerBad ? iec->Edit1 : iec->Edit3);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(iec->Edit3->text(), QString::fromUtf8(r.cut)) << "nothing corrected";
    }
}

TEST_F(IecWindowTest, LettersInPowerKeepTheFocusWhenLeaving) {
    create();
    showTool();
    iec->Edit1->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    iec->Edit1->setText(QStringLiteral("abc"));
    QTest::keyClick(iec->Edit1, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(result().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), iec->Edit1);
}

TEST_F(IecWindowTest, OnlyEnterRecalculates) {
    create();
    showTool();
    for (QWidget* w : {static_cast<QWidget*>(iec->Edit1), static_cast<QWidget*>(iec->Edit3)}) {
        SCOPED_TRACE(w->objectName().toStdString());
        enter("100", "3000");
        iec->CalcPower();
        ASSERT_EQ(result(), "21.63");
        enter("60", "4000");
        for (Qt::Key key : {Qt::Key_A, Qt::Key_0, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space})
            QTest::keyRelease(w, key);
        EXPECT_EQ(result(), "21.63") << "other keys do nothing";
        QTest::keyRelease(w, Qt::Key_Return);
        EXPECT_EQ(result(), "10.24");
        enter("100", "5000");
        QTest::keyRelease(w, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(result(), "13.79") << "the keypad Enter too";
    }
    EXPECT_TRUE(iec->isVisible()) << "Enter does not close the tool";
}

TEST_F(IecWindowTest, LeavingABoxRecalculates) {
    create();
    showTool();
    struct Row { const char* name; QLineEdit* from; QLineEdit* to; };
    const Row rows[] = {{"power to cut", iec->Edit1, iec->Edit3},
                        {"cut to power", iec->Edit3, iec->Edit1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        r.from->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        enter("60", "4000");
        iec->Edit5->clear();
        r.to->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(result(), "10.24");
    }
    // A cut typed below 2000 is corrected as soon as the box is left.
    iec->Edit3->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    enter("100", "1000");
    QTest::keyClick(iec->Edit3, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(iec->Edit3->text(), "2000");
    EXPECT_EQ(result(), "28.67");
}

TEST_F(IecWindowTest, StoredRealOrderGivesItsResult) {
    struct Row { int orderIdx; const char* want; };
    const Row rows[] = {{0, "18.64"}, {1, "21.63"}, {2, "22.9"}, {3, "23.63"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.orderIdx);
        SettingsValues v;
        v.realOrderIdx = r.orderIdx;
        WriteCurvesFile(folder, v);
        create();
        EXPECT_EQ(iec->ComboBox1->currentIndex(), r.orderIdx);
        showTool();
        EXPECT_EQ(result(), QString::fromUtf8(r.want));
        iec->hide();
        destroy();
    }
}

TEST_F(IecWindowTest, MainWindowCurveHasNoInfluence) {
    create();
    for (const char* curve : {"IEC/DIN", "Рок", "Шум белый", "Шум розовый"}) {
        SCOPED_TRACE(curve);
        main->CurveOpen(QString::fromUtf8(curve));
        ASSERT_EQ(main->CurCurveName, QString::fromUtf8(curve));
        enter("100", "3000");
        iec->CalcPower();
        EXPECT_EQ(result(), "21.63");
        enter("60", "4000");
        iec->CalcPower();
        EXPECT_EQ(result(), "10.24");
    }
}

TEST_F(IecWindowTest, MenuOpensModallyAndKeepsFieldsBetweenUses) {
    create();
    int round = 0;
    QString shownOnReopen, powerOnReopen;
    bool wasModal = false;
    auto session = [&] {
        wasModal = iec->isModal() && iec->isVisible();
        if (round == 0) {
            iec->Edit1->setText(QStringLiteral("60"));
            iec->Edit3->setText(QStringLiteral("4000"));
        } else {
            powerOnReopen = iec->Edit1->text();
            shownOnReopen = result();
        }
        iec->close();
    };
    QTimer::singleShot(0, iec, session);
    main->MenuItems.value("CmdIecGost")->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(iec->isVisible());
    ++round;
    iec->Edit5->clear();
    QTimer::singleShot(0, iec, session);
    main->CmdIecGostClick();
    EXPECT_EQ(powerOnReopen, "60");
    EXPECT_EQ(shownOnReopen, "10.24") << "recalculated on showing";
    EXPECT_EQ(iec->Edit3->text(), "4000");
    EXPECT_EQ(iec->windowTitle(), "ReCalc Power");
}

TEST_F(IecWindowTest, CaptionsFollowTheLanguageWhileHidden) {
    create();
    ASSERT_FALSE(iec->isVisible());
    struct Row {
        void (TF_Main::*command)();
        const char* group1;
        const char* label4;
    };
    const Row rows[] = {
        {&TF_Main::CmdLangEngClick, " Passport data, IEC ", "HP filter cut frequency, Hz"},
        {&TF_Main::CmdLangBelClick, " Пашпартныя даныя па IEC ", "Частата зрэзу ФВЧ, Гц"},
        {&TF_Main::CmdLangRusClick, " Паспортные данные по IEC ", "Частота среза ФВЧ, Гц"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label4);
        (main.get()->*r.command)();
        EXPECT_EQ(iec->GroupBox1->title(), QString::fromUtf8(r.group1));
        EXPECT_EQ(iec->Label4->text(), QString::fromUtf8(r.label4));
        EXPECT_EQ(iec->windowTitle(), "ReCalc Power");
        // The caption fits: labels grow with their text.
        EXPECT_GE(iec->Label4->width(),
                  iec->Label4->fontMetrics().horizontalAdvance(iec->Label4->text()));
    }
}

// Ending the program while a box of the tool holds the focus: deleting that
// box moves the focus out of it, and the leave handler must not run over
// boxes already deleted (the sanitizer build reports it otherwise).
TEST_F(IecWindowTest, EndingWithTheFocusInABoxIsSafe) {
    for (QLineEdit* TF_IecGost::*focused : {&TF_IecGost::Edit1, &TF_IecGost::Edit3}) {
        create();
        showTool();
        iec->Edit1->setText(QStringLiteral("abc"));  // the handler would move the focus
        (iec->*focused)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), iec->*focused);
        destroy();
        EXPECT_EQ(QApplication::focusWidget(), nullptr);
    }
}

}  // namespace
}  // namespace ampora::ui::testing
