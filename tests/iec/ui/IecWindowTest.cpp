#include <QAccessible>
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
        iec()->show();
        iec()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(iec()));
    }
    void enter(const char* power, const char* cut, int orderIdx = 1) {
        iecBox(1)->setText(QString::fromUtf8(power));
        iecBox(3)->setText(QString::fromUtf8(cut));
        iecOrder()->setCurrentIndex(orderIdx);
    }
    QString result() const { return iecBox(5)->text(); }
};

// Places and built-in captions are checked with the other windows' layout;
// here what the tool's behaviour relies on.
TEST_F(IecWindowTest, ColumnsBoxesAndOrderList) {
    create(false);
    EXPECT_EQ(iec()->objectName(), "F_IecGost");
    EXPECT_EQ(iec()->minimumSize(), iec()->maximumSize()) << "fixed border";
    EXPECT_FALSE(iec()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(iec()->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(findIec<QGroupBox>("GroupBox1")->parentWidget(), findIec<QGroupBox>("GroupBox3"));
    EXPECT_EQ(findIec<QGroupBox>("GroupBox2")->parentWidget(), findIec<QGroupBox>("GroupBox3"));
    // Row by row the data-sheet column faces the result column.
    for (QWidget* w : {static_cast<QWidget*>(iecBox(1)), static_cast<QWidget*>(iecBox(3)),
                       static_cast<QWidget*>(iecBox(4))})
        EXPECT_EQ(w->parentWidget(), findIec<QGroupBox>("GroupBox1"))
            << w->objectName().toStdString();
    for (QWidget* w : {static_cast<QWidget*>(iecBox(5)), static_cast<QWidget*>(iecBox(7)),
                       static_cast<QWidget*>(iecOrder())})
        EXPECT_EQ(w->parentWidget(), findIec<QGroupBox>("GroupBox2"))
            << w->objectName().toStdString();
    EXPECT_EQ(iecBox(5)->y(), iecBox(1)->y());
    EXPECT_EQ(iecBox(7)->y(), iecBox(3)->y());
    EXPECT_EQ(iecOrder()->y(), iecBox(4)->y());
    ASSERT_EQ(iecOrder()->count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(iecOrder()->itemText(i), QString::number(i + 1));
    for (QLineEdit* e : {iecBox(4), iecBox(5)}) {
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
        EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus) << "not a tab stop";
    }
    EXPECT_FALSE(iecBox(1)->isReadOnly());
    EXPECT_FALSE(iecBox(3)->isReadOnly());
    ASSERT_NE(findIec<QStatusBar>("StatusBar1"), nullptr);
    EXPECT_EQ(findIec<QStatusBar>("StatusBar1")->geometry().bottom(), iec()->height() - 1)
        << "at the bottom edge";
    EXPECT_TRUE(findIec<QStatusBar>("StatusBar1")->currentMessage().isEmpty());
}

TEST_F(IecWindowTest, ShownToolHidesTheRealFilterAndCentres) {
    create();
    showTool();
    EXPECT_TRUE(iecBox(1)->isVisible());
    EXPECT_FALSE(iecBox(7)->isVisible());
    EXPECT_FALSE(iecOrder()->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = iec()->frameGeometry();
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
        iecBox(7)->setText(QStringLiteral("12345"));
        iec()->CalcPower();
        EXPECT_EQ(result(), QString::fromUtf8(r.want));
        EXPECT_EQ(iecBox(3)->text(), QString::fromUtf8(r.cutShown));
        EXPECT_EQ(iecBox(7)->text(), QString::fromUtf8(r.cutShown)) << "real cut follows";
        EXPECT_EQ(iec()->RealOrderIdx(), r.orderIdx);
    }
}

TEST_F(IecWindowTest, ResultUsesTheLocaleSeparator) {
    create();
    SetDecimalSeparator(',');
    enter("100", "3000");
    iec()->CalcPower();
    EXPECT_EQ(result(), "21,63");
}

TEST_F(IecWindowTest, CutAboveTheGridUsesItsLastPoint) {
    create();
    enter("100", "20480");
    iec()->CalcPower();
    const QString top = result();
    bool ok = false;
    const double topValue = top.toDouble(&ok);
    ASSERT_TRUE(ok) << top.toStdString();
    EXPECT_TRUE(std::isfinite(topValue));
    EXPECT_GT(topValue, 0.0);
    for (const char* cut : {"20021", "30000", "2147483647"}) {
        enter("100", cut);
        iec()->CalcPower();
        EXPECT_EQ(result(), top) << cut;
        EXPECT_EQ(iecBox(3)->text(), QString::fromUtf8(cut)) << "not rewritten";
    }
    // Just below the top the nearest point is still inside the grid.
    enter("100", "20000");
    iec()->CalcPower();
    EXPECT_NE(result(), top);
}

TEST_F(IecWindowTest, OrderListWithoutSelectionTakesSecondOrder) {
    create();
    enter("100", "3000", 3);
    iec()->CalcPower();
    ASSERT_EQ(iec()->RealOrderIdx(), 3);
    enter("100", "3000", -1);
    iec()->CalcPower();
    EXPECT_EQ(iecOrder()->currentIndex(), 1);
    EXPECT_EQ(iec()->RealOrderIdx(), 1);
    EXPECT_EQ(result(), "21.63");

    // An index outside the list, as a hand-edited settings file can hold.
    SettingsValues v;
    v.realOrderIdx = 9;
    iec()->takeSettings(v);
    SettingsValues stored;
    iec()->storeSettings(stored);
    EXPECT_EQ(stored.realOrderIdx, 1) << "what would be stored";
    iec()->CalcPower();
    EXPECT_EQ(result(), "21.63");
}

TEST_F(IecWindowTest, NotANumberLeavesResultEmptyAndFocusOnTheBox) {
    create();
    showTool();
    struct Row {
        const char* name;
        const char* power;
        const char* cut;
        bool powerBad;
    };
    const Row rows[] = {{"letters as power", "abc", "3000", true},
                        {"real number as power", "12.5", "3000", true},
                        {"empty power", "", "3000", true},
                        {"letters as cut", "100", "3k", false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        iecBox(5)->setText(QStringLiteral("old"));
        enter(r.power, r.cut);
        QLineEdit* other = r.powerBad ? iecBox(3) : iecBox(1);
        other->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        iec()->CalcPower();
        QApplication::processEvents();
        EXPECT_TRUE(result().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), r.powerBad ? iecBox(1) : iecBox(3));
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(iecBox(3)->text(), QString::fromUtf8(r.cut)) << "nothing corrected";
    }
}

TEST_F(IecWindowTest, LettersInPowerKeepTheFocusWhenLeaving) {
    create();
    showTool();
    iecBox(1)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    iecBox(1)->setText(QStringLiteral("abc"));
    QTest::keyClick(iecBox(1), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(result().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), iecBox(1));
}

TEST_F(IecWindowTest, OnlyEnterRecalculates) {
    create();
    showTool();
    for (QWidget* w : {static_cast<QWidget*>(iecBox(1)), static_cast<QWidget*>(iecBox(3))}) {
        SCOPED_TRACE(w->objectName().toStdString());
        enter("100", "3000");
        iec()->CalcPower();
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
    EXPECT_TRUE(iec()->isVisible()) << "Enter does not close the tool";
}

TEST_F(IecWindowTest, LeavingABoxRecalculates) {
    create();
    showTool();
    struct Row {
        const char* name;
        QLineEdit* from;
        QLineEdit* to;
    };
    const Row rows[] = {{"power to cut", iecBox(1), iecBox(3)},
                        {"cut to power", iecBox(3), iecBox(1)}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        r.from->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        enter("60", "4000");
        iecBox(5)->clear();
        r.to->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(result(), "10.24");
    }
    // A cut typed below 2000 is corrected as soon as the box is left.
    iecBox(3)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    enter("100", "1000");
    QTest::keyClick(iecBox(3), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(iecBox(3)->text(), "2000");
    EXPECT_EQ(result(), "28.67");
}

TEST_F(IecWindowTest, StoredRealOrderGivesItsResult) {
    struct Row {
        int orderIdx;
        const char* want;
    };
    const Row rows[] = {{0, "18.64"}, {1, "21.63"}, {2, "22.9"}, {3, "23.63"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.orderIdx);
        SettingsValues v;
        v.realOrderIdx = r.orderIdx;
        WriteCurvesFile(folder, v);
        create();
        EXPECT_EQ(iecOrder()->currentIndex(), r.orderIdx);
        showTool();
        EXPECT_EQ(result(), QString::fromUtf8(r.want));
        iec()->hide();
        destroy();
    }
}

TEST_F(IecWindowTest, MainWindowCurveHasNoInfluence) {
    create();
    for (const char* curve : {"IEC/DIN", "Рок", "Шум белый", "Шум розовый"}) {
        SCOPED_TRACE(curve);
        curves->CurveOpen(QString::fromUtf8(curve));
        ASSERT_EQ(session->CurCurveName, QString::fromUtf8(curve));
        enter("100", "3000");
        iec()->CalcPower();
        EXPECT_EQ(result(), "21.63");
        enter("60", "4000");
        iec()->CalcPower();
        EXPECT_EQ(result(), "10.24");
    }
}

TEST_F(IecWindowTest, MenuOpensModallyAndKeepsFieldsBetweenUses) {
    create();
    int round = 0;
    QString shownOnReopen, powerOnReopen;
    bool wasModal = false;
    auto use = [&] {
        wasModal = iec()->isModal() && iec()->isVisible();
        if (round == 0) {
            iecBox(1)->setText(QStringLiteral("60"));
            iecBox(3)->setText(QStringLiteral("4000"));
        } else {
            powerOnReopen = iecBox(1)->text();
            shownOnReopen = result();
        }
        iec()->close();
    };
    QTimer::singleShot(0, iec(), use);
    main->MenuItems.value("CmdIecGost")->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(iec()->isVisible());
    ++round;
    iecBox(5)->clear();
    QTimer::singleShot(0, iec(), use);
    main->CmdIecGostClick();
    EXPECT_EQ(powerOnReopen, "60");
    EXPECT_EQ(shownOnReopen, "10.24") << "recalculated on showing";
    EXPECT_EQ(iecBox(3)->text(), "4000");
    EXPECT_EQ(iec()->windowTitle(), "ReCalc Power");
}

TEST_F(IecWindowTest, CaptionsFollowTheLanguageWhileHidden) {
    create();
    ASSERT_FALSE(iec()->isVisible());
    struct Row {
        void (LanguageSwitch::*command)();
        const char* group1;
        const char* label4;
    };
    const Row rows[] = {
        {&LanguageSwitch::CmdLangEngClick, " Passport data, IEC ", "HP filter cut frequency, Hz"},
        {&LanguageSwitch::CmdLangBelClick, " Пашпартныя даныя па IEC ", "Частата зрэзу ФВЧ, Гц"},
        {&LanguageSwitch::CmdLangRusClick, " Паспортные данные по IEC ", "Частота среза ФВЧ, Гц"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label4);
        (main->languageSwitch().*r.command)();
        EXPECT_EQ(findIec<QGroupBox>("GroupBox1")->title(), QString::fromUtf8(r.group1));
        EXPECT_EQ(findIec<QLabel>("Label4")->text(), QString::fromUtf8(r.label4));
        EXPECT_EQ(iec()->windowTitle(), "ReCalc Power");
        // The caption fits: labels grow with their text.
        EXPECT_GE(findIec<QLabel>("Label4")->width(),
                  findIec<QLabel>("Label4")->fontMetrics().horizontalAdvance(
                      findIec<QLabel>("Label4")->text()));
    }
}

// Ending the program while a box of the tool holds the focus: deleting that
// box moves the focus out of it, and the leave handler must not run over
// boxes already deleted (the sanitizer build reports it otherwise).
TEST_F(IecWindowTest, EndingWithTheFocusInABoxIsSafe) {
    for (int focused : {1, 3}) {
        create();
        showTool();
        iecBox(1)->setText(QStringLiteral("abc"));  // the handler would move the focus
        iecBox(focused)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), iecBox(focused));
        destroy();
        EXPECT_EQ(QApplication::focusWidget(), nullptr);
    }
}

// Nobody sees the tool or the About box at start, so they are made when
// first opened: with the language chosen by then, the stored inputs and the
// names a screen reader speaks, as if they had been there all along.
TEST_F(IecWindowTest, MadeWhenFirstOpenedWithTheLanguageAndInputsOfThatMoment) {
    SettingsValues v;
    v.languageCode = SettingsCode(Language::Belarusian);
    v.iecPower = 60;
    v.iecCutFreq = 4000;
    v.realOrderIdx = 3;
    WriteCurvesFile(folder, v);
    create();
    EXPECT_EQ(main->findChild<TF_IecGost*>(), nullptr);
    EXPECT_EQ(main->findChild<TF_About*>(), nullptr);
    loadMenu("Eng");
    EXPECT_EQ(findIec<QGroupBox>("GroupBox1")->title(), " Passport data, IEC ");
    EXPECT_EQ(findIec<QLabel>("Label4")->text(), "HP filter cut frequency, Hz");
    EXPECT_EQ(iecBox(1)->text(), "60");
    EXPECT_EQ(iecBox(3)->text(), "4000");
    EXPECT_EQ(iecOrder()->currentIndex(), 3);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(iecBox(1));
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name), "Passport data, IEC, Max power, W");
    EXPECT_EQ(about()->windowTitle(), " About program");
}

}  // namespace
}  // namespace ampora::ui::testing
