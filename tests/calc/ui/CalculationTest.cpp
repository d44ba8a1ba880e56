// The calculation driven through the real controls of the main window.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <random>

#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {
namespace {

class CalculationTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        create();
        loadMenu("Eng");
        messages.clear();
    }
    // The first worked example: three-way, Butterworth 2 everywhere, 8 ohm.
    void workedExample() {
        flatCurve();
        typeWorkedExample();
    }
    void calc() { QTest::mouseClick(button("ButCalc"), Qt::LeftButton); }
    // Every result box holds a finite number or nothing, and no resistor
    // label shows nan or inf: a calculation never lets them reach the screen.
    void expectNumbersShown(int round, char sep) {
        for (int no : {7, 4, 8, 16, 17, 18, 19, 30}) {
            QString s = box(no)->text();
            s.replace(QChar(sep), QChar('.'));
            bool ok = s.isEmpty();
            if (!ok) {
                const double v = s.toDouble(&ok);
                ok = ok && std::isfinite(v);
            }
            ASSERT_TRUE(ok) << "round " << round << " Edit" << no << " = "
                            << box(no)->text().toStdString();
        }
        for (QLabel* l : {label("Label40"), label("Label41"), label("Label42"), label("Label43")}) {
            ASSERT_FALSE(l->text().contains("nan", Qt::CaseInsensitive)) << round;
            ASSERT_FALSE(l->text().contains("inf", Qt::CaseInsensitive)) << round;
        }
    }
    QStringList shownResults() const {
        return {box(7)->text(),           box(4)->text(),           box(8)->text(),
                label("Label40")->text(), label("Label41")->text(), label("Label42")->text(),
                label("Label43")->text(), box(16)->text(),          box(17)->text(),
                box(18)->text(),          box(19)->text()};
    }
};

TEST_F(CalculationTest, ThreeWayWorkedExample) {
    workedExample();
    calc();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(shownResults(),
              QStringList({"40.3", "20.6", "10.8", "Rs=1.6   6.5 W", "Rp=30.9   5.3 W",
                           "Rs=3   10.2 W", "Rp=13.7   6.3 W", "104.1", "103.1", "102.3", "108"}));
    // The window keeps the band of the last lookup (the midrange's upper
    // edge, 3200 Hz on the 3225 Hz band).
    EXPECT_EQ(results->nearestBandIndex(), 22);
}

// The band of the last lookup, also when the calculation stops after the
// Linkwitz check looked up its two frequencies.
TEST_F(CalculationTest, TheLastBandLookupIsKept) {
    struct Row {
        const char* name;
        const char* f1;
        const char* f2;
        const char* ampPower;
        int32_t index;
    };
    const Row rows[] = {
        {"midrange upper edge last", "", "", "100", 22},
        {"Linkwitz F2, calculation stopped by the power", "50", "25", "0", 1},
        {"Linkwitz F2 at 40 Hz", "80", "40", "0", 3},
        {"Linkwitz F1 below its limit, exchanged with F2", "25", "63", "0", 2},
        {"the crossover after Linkwitz", "50", "25", "100", 22},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        workedExample();
        type(28, r.f1);
        type(29, r.f2);
        type(9, r.ampPower);
        calc();
        EXPECT_EQ(results->nearestBandIndex(), r.index);
    }
}

TEST_F(CalculationTest, LinkwitzCorrectionRaisesTheBassShare) {
    workedExample();
    type(28, "50");
    type(29, "25");
    calc();
    EXPECT_EQ(box(7)->text(), "58.7");
    EXPECT_EQ(box(4)->text(), "14.3");
    EXPECT_EQ(box(8)->text(), "7.5");
    EXPECT_EQ(box(19)->text(), "108");
    EXPECT_EQ(box(30)->text(), "8");
    ASSERT_EQ(find<QListWidget>("ListBox1")->count(), 13);
    EXPECT_EQ(find<QListWidget>("ListBox1")->item(2)->text(), "020 Hz      8 dB");
    EXPECT_FALSE(find<QListWidget>("ListBox1")->isVisible());
    // A right click on "Kmax, dB" shows the listing, a left click on it hides it.
    QTest::mouseClick(label("Label27"), Qt::RightButton);
    EXPECT_TRUE(find<QListWidget>("ListBox1")->isVisible());
    QTest::mouseClick(find<QListWidget>("ListBox1")->viewport(), Qt::LeftButton);
    EXPECT_FALSE(find<QListWidget>("ListBox1")->isVisible());
    QTest::mouseClick(label("Label27"), Qt::LeftButton);
    EXPECT_FALSE(find<QListWidget>("ListBox1")->isVisible());
}

TEST_F(CalculationTest, TwoWayKeepsTheBassCutOffTypedAfterSwitchingOff) {
    workedExample();
    QTest::mouseClick(check("CheckBoxMid"), Qt::LeftButton);
    ASSERT_FALSE(check("CheckBoxMid")->isChecked());
    EXPECT_EQ(box(5)->text(), "3200");  // bass and tweeter share one crossover
    EXPECT_FALSE(group("GroupBox2")->isVisible());
    type(5, "320");
    type(6, "2000");
    calc();
    EXPECT_EQ(shownResults(),
              QStringList({"54.5", "0", "18", "", "", "Rs=3   16.9 W", "Rp=13.7   10.5 W",
                           box(16)->text(), "0", box(18)->text(), "108"}));
    EXPECT_EQ(results->nearestBandIndex(), 20);  // 2000 Hz lies nearest to 2032 Hz
    type(5, "2000");
    calc();
    EXPECT_EQ(box(7)->text(), "66.3");
    EXPECT_EQ(box(8)->text(), "13.4");
}

struct MessageCase {
    const char* name;
    const char* lang;
    const char* midSens;
    const char* twSens;
    const char* midImp;
    const char* twImp;
    const char* amp;
    const char* expected;
};

class CalculationMessages : public CalculationTest,
                            public ::testing::WithParamInterface<MessageCase> {};

TEST_P(CalculationMessages, StopsWithTheMessageAndKeepsTheResults) {
    const MessageCase& c = GetParam();
    workedExample();
    calc();
    const QStringList before = shownResults();
    loadMenu(c.lang);
    type(12, c.midSens);
    type(14, c.twSens);
    type(13, c.midImp);
    type(15, c.twImp);
    type(9, c.amp);
    messages.clear();
    calc();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString::fromUtf8(c.expected));
    EXPECT_EQ(shownResults(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Calculation, CalculationMessages,
    ::testing::Values(MessageCase{"TweeterOneDbWeakerEng", "Eng", "90", "87", "8", "8", "100",
                                  "Sensitivity of tweeter is too low"},
                      MessageCase{"TweeterOneDbWeakerRus", "Rus", "90", "87", "8", "8", "100",
                                  "Чувствительность динамика ВЧ недостаточна"},
                      MessageCase{"TweeterHigherImpedanceStillTooWeak", "Eng", "90", "80", "8",
                                  "16", "100", "Sensitivity of tweeter is too low"},
                      MessageCase{"MidrangeSameImpedanceWeakerEng", "Eng", "87.9", "92", "8", "8",
                                  "100", "Sensitivity of midrange is too low"},
                      MessageCase{"MidrangeSameImpedanceWeakerRus", "Rus", "87.9", "92", "8", "8",
                                  "100", "Чувствительность динамика СЧ недостаточна"},
                      MessageCase{"ZeroImpedanceEng", "Eng", "90", "92", "0", "8", "100",
                                  "Driver impedance must be greater than zero."},
                      MessageCase{"NegativeImpedanceRus", "Rus", "90", "92", "8", "-4", "100",
                                  "Импеданс динамика должен быть больше нуля."},
                      MessageCase{"ZeroAmplifierEng", "Eng", "90", "92", "8", "8", "0",
                                  "Amplifier power must be greater than zero."},
                      MessageCase{"NegativeAmplifierBel", "Bel", "90", "92", "8", "8", "-10",
                                  "Магутнасць узмацняльніка павінна быць большай за нуль."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculationTest, SameSensitivityMidrangeGetsNoPad) {
    workedExample();
    type(12, "88");
    calc();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(label("Label40")->text(), "");
    EXPECT_EQ(label("Label41")->text(), "");
    EXPECT_FALSE(box(4)->text().isEmpty());
}

TEST_F(CalculationTest, SwappedMidrangeFrequenciesAreExchanged) {
    workedExample();
    type(1, "5000");
    type(3, "500");
    calc();
    EXPECT_EQ(box(1)->text(), "500");
    EXPECT_EQ(box(3)->text(), "5000");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(box(4)->text().isEmpty());
}

TEST_F(CalculationTest, NoCurveComesAfterTheSensitivityChecks) {
    workedExample();
    session->CurCurveName.clear();
    type(14, "87");
    calc();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Sensitivity of tweeter is too low");
    type(14, "92");
    calc();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "Spectral density curve not loaded.");
}

TEST_F(CalculationTest, SignalOutsideAPassBandIsRefused) {
    workedExample();
    calc();
    const QStringList before = shownResults();
    // Levels only below 300 Hz: nothing reaches the tweeter's high-pass.
    for (int i = 12; i < 31; ++i) session->BandLevel[size_t(i)] = -60;
    curves->DrawGrid();
    calc();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "No signal falls into a driver's pass band.");
    EXPECT_EQ(shownResults(), before);
    // A curve without any level at all.
    for (auto& l : session->BandLevel) l = -60;
    curves->DrawGrid();
    calc();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "No signal falls into a driver's pass band.");
}

TEST_F(CalculationTest, InvalidBoxesGetTheirDefaults) {
    workedExample();
    type(10, "abc");
    type(11, "4.25");
    type(13, "4.75");
    type(15, "4.26");
    type(9, "x");
    type(5, "");
    calc();
    EXPECT_EQ(box(10)->text(), "88");
    EXPECT_EQ(box(11)->text(), "4.2");
    EXPECT_EQ(box(13)->text(), "4.8");
    EXPECT_EQ(box(15)->text(), "4.3");
    EXPECT_EQ(box(9)->text(), "100");
    EXPECT_EQ(box(5)->text(), "320");
}

TEST_F(CalculationTest, CommaSeparatorIsTheUsersSeparator) {
    SetDecimalSeparator(',');
    workedExample();
    type(11, "4,25");
    type(12, "90,5");
    type(13, "4.7");  // not a number with a comma separator
    calc();
    EXPECT_EQ(box(11)->text(), "4,2");
    EXPECT_EQ(box(12)->text(), "90,5");
    EXPECT_EQ(box(13)->text(), "4");
    EXPECT_TRUE(box(7)->text().contains(',') || !box(7)->text().contains('.'));
}

TEST_F(CalculationTest, NothingHappensWhileAnotherWindowIsActive) {
    workedExample();
    type(28, "50");
    type(29, "25");
    calc();
    ASSERT_EQ(find<QListWidget>("ListBox1")->count(), 13);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    type(9, "50");
    results->ButCalcClick();
    EXPECT_EQ(find<QListWidget>("ListBox1")->count(), 13);  // not even the listing is cleared
    EXPECT_EQ(box(7)->text(), "58.7");
    // Coming back recalculates.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QCoreApplication::processEvents();
    EXPECT_NE(box(7)->text(), "58.7");
}

TEST_F(CalculationTest, ClosingTheCalculationsMessageDoesNotRepeatIt) {
    workedExample();
    type(14, "80");
    QWidget other;
    // The message box takes the activation away, closing it gives it back.
    userDialogs.onMessage = [&](const QString& text) {
        messages << text;
        other.show();
        other.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
    };
    calc();
    ASSERT_EQ(messages.size(), 1);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.size(), 1);
    // A later, genuine return to the window calculates (and tells) again.
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    main->activateWindow();  // the message takes the activation away again
    QTest::qWait(100);
    EXPECT_EQ(messages.size(), 2);
}

// Random text of any kind in every box, under both decimal separators: the
// result boxes show numbers or nothing, and a refused calculation shows at
// most one message.
TEST_F(CalculationTest, RandomTextNeverShowsNanInfinityOrGarbage) {
    flatCurve();
    for (const char sep : {'.', ','}) {
        SCOPED_TRACE(std::string("separator ") + sep);
        SetDecimalSeparator(sep);
        std::mt19937 rng(sep == '.' ? 7u : 8u);
        auto number = [&] {
            QString s = QString::number(double(rng() % 100000) / double(1 + rng() % 1000), 'g',
                                        int(1 + rng() % 12));
            return s.replace('.', QChar(sep));
        };
        const QStringList odd = {QString::fromUtf8("восемь"),
                                 QString::fromUtf8("８８"),
                                 QString::fromUtf8("4 7"),
                                 QString::fromUtf8("😀"),
                                 QString::fromUtf8("é"),
                                 "4,7",
                                 "4.7",
                                 "1,5e3",
                                 "1.5e3",
                                 "0,0",
                                 "-0,5",
                                 "	",
                                 "١٢٣",
                                 QString(5000, '9'),
                                 QString(3000, '1') + sep + "5",
                                 "1e" + QString(400, '9')};
        auto any = [&]() -> QString {
            switch (rng() % 4) {
                case 0: return number();
                case 1: return odd[int(rng() % unsigned(odd.size()))];
                case 2: {
                    QString s;
                    const int n = int(rng() % 12);
                    for (int i = 0; i < n; ++i) s += QChar(char16_t(0x20 + rng() % 0x4E0));
                    return s;
                }
                default: return QString::number(int(rng() % 5000) - 100);
            }
        };
        for (int round = 0; round < 400; ++round) {
            for (int no : {9, 10, 11, 12, 13, 14, 15, 5, 1, 3, 6, 28, 29}) box(no)->setText(any());
            if (rng() % 5 == 0)
                check("CheckBoxMid")->setChecked(!check("CheckBoxMid")->isChecked());
            const int before = int(messages.size());
            results->ButCalcClick();
            expectNumbersShown(round, sep);
            if (HasFatalFailure()) return;
            ASSERT_LE(int(messages.size()), before + 1);
        }
    }
    SetDecimalSeparator('.');
}

TEST_F(CalculationTest, EnterInAnInputBoxRecalculatesLeavingDoesNot) {
    workedExample();
    calc();
    type(9, "50");
    box(10)->setFocus();  // leaving Edit9
    EXPECT_EQ(box(7)->text(), "40.3");
    box(9)->setFocus();
    QTest::keyClick(box(9), Qt::Key_Return);
    EXPECT_EQ(box(7)->text(), "20.1");
}

// Random input in every box must never put a non-number on the screen.
TEST_F(CalculationTest, RandomInputNeverShowsNanInfinityOrGarbage) {
    flatCurve();
    std::mt19937 rng(20261208);
    const QStringList pool = {
        "",           "abc",         "0",           "-0",    "1",      "-5",     "4",
        "8",          "3.3",         "88",          "92.5",  "1e308",  "-1e308", "1e-300",
        "2147483647", "-2147483648", "99999999999", "20000", "-20000", "50",     "25",
        "320",        "3200",        "150",         " 4",    "nan",    "inf"};
    auto any = [&] { return pool[int(rng() % unsigned(pool.size()))]; };
    for (int round = 0; round < 1500; ++round) {
        for (int no : {9, 10, 11, 12, 13, 14, 15, 5, 1, 3, 6, 28, 29}) box(no)->setText(any());
        for (int no : {5, 1, 2, 6}) {
            const int t = int(rng() % 4);
            pick(no, t);
        }
        if (rng() % 5 == 0) check("CheckBoxMid")->setChecked(!check("CheckBoxMid")->isChecked());
        check("CBMidEq")->setChecked(rng() % 2);
        check("CBHighEq")->setChecked(rng() % 2);
        const int before = int(messages.size());
        const QStringList shown = shownResults();
        results->ButCalcClick();
        // A refused calculation leaves what was on screen.
        if (int(messages.size()) > before) {
            ASSERT_EQ(shownResults(), shown) << round;
        }
        expectNumbersShown(round, '.');
        if (HasFatalFailure()) return;
        ASSERT_LE(int(messages.size()), before + 1);
    }
}

}  // namespace
}  // namespace ampora::ui::testing
