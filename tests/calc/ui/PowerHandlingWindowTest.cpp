// Service → "Power handling" beside the real main window.

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include "app/ui/DesignCommands.h"
#include "calc/DesignFile.h"
#include "calc/ui/PowerHandlingWindow.h"
#include "calc/ui/PowerHandlingWiring.h"
#include "tests/calc/ui/WorkedExampleFixture.h"

namespace ampora::ui::testing {
namespace {

class PowerHandlingWindowTest : public WorkedExampleTest {
protected:
    PowerHandlingWindow* open() {
        command("CmdPowerHandling")->trigger();
        PowerHandlingWindow* w = FindPowerHandling(*main);
        EXPECT_NE(w, nullptr);
        // The activation arrives as an event of its own.
        if (w) {
            EXPECT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow(); }));
        }
        return w;
    }
    void backToMain() {
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([this] { return main->isActiveWindow(); }));
    }
    void typeInto(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
    }
};

// The README's rated example, opened as a design: the window shows the
// figures worked out by hand (tests/calc/PowerHandlingTest.cpp), follows each
// calculation and stop, catches up after being hidden, and speaks the
// language chosen.
TEST_F(PowerHandlingWindowTest, FollowsTheCalculationAndTheLanguage) {
    PowerHandlingWindow* w = open();
    ASSERT_NE(w, nullptr);
    backToMain();
    ASSERT_TRUE(
        main->designCommands().OpenDesign(AMPORA_SOURCE_DIR "/docs/three-way-rated.ampora"));
    ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(w->rowTexts(Bass), QStringList({"Bass", "58.7", "100", "58.7", "2.3", "◄ limit"}));
    EXPECT_EQ(w->rowTexts(Mid), QStringList({"Midrange", "14.3", "40", "35.7", "4.5", ""}));
    EXPECT_EQ(w->rowTexts(Tweeter), QStringList({"Tweeter", "7.5", "22.94", "32.6", "4.9", ""}));
    EXPECT_EQ(w->summaryTexts(),
              QStringList({"Limiting driver: Bass", "Maximum amplifier power, W: 170.5",
                           "Maximum SPL at 1 m, dB: 110.3",
                           "Amplifier sine rating for the peaks, W: 1351.1",
                           "Amplifier power needed, W: 158.4  (within the maximum)"}));
    EXPECT_EQ(w->resistorTexts(),
              QStringList({"Midrange Rs 1.6 4.5 7.7 20", "Midrange Rp 30.9 3.7 6.3 15",
                           "Tweeter Rs 3 7 11.9 25", "Tweeter Rp 13.7 4.4 7.5 20"}));
    EXPECT_TRUE(w->plot()->curve().any());
    EXPECT_TRUE(w->stopLine()->isHidden());

    // A stop says so in one line instead of leaving numbers standing.
    type(14, "80");
    calc();
    EXPECT_EQ(w->stopLine()->text(), "Calculation stopped: Sensitivity of tweeter is too low");
    EXPECT_FALSE(w->stopLine()->isHidden());
    EXPECT_EQ(w->rowTexts(Bass), QStringList({"Bass", "", "100", "", "", ""}));
    EXPECT_TRUE(w->summaryTexts().isEmpty());
    EXPECT_FALSE(w->plot()->curve().any());

    // Hidden, it keeps the calculation and shows it once it is open again.
    w->hide();
    type(14, "92");
    type(9, "50");
    calc();
    EXPECT_EQ(w->rowTexts(Bass)[1], "");
    open();
    EXPECT_TRUE(w->stopLine()->isHidden());
    EXPECT_EQ(w->rowTexts(Bass)[1], box(7)->text());
    EXPECT_EQ(w->rowTexts(Mid)[1], box(4)->text());
    backToMain();

    // The midrange switched off takes its row away.
    check("CheckBoxMid")->setChecked(false);
    calc();
    EXPECT_FALSE(w->rowShown(Mid));
    EXPECT_TRUE(w->rowShown(Tweeter));

    loadMenu("Rus");
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Предельная мощность"));
    EXPECT_EQ(command("CmdPowerHandling")->text(), QString::fromUtf8("Предельная мощность"));
    EXPECT_EQ(w->rowTexts(Bass)[0], QString::fromUtf8("НЧ"));
    EXPECT_EQ(w->ratingBox(Bass)->accessibleName(), QString::fromUtf8("НЧ, Номинал, Вт"));
    // The longest texts still fit the size the window opens with.
    EXPECT_LE(w->minimumSizeHint().width(), w->width());
    loadMenu("Bel");
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Гранічная магутнасць"));
    EXPECT_EQ(w->kindBox()->itemText(1), QString::fromUtf8("пашпарт IEC"));
    EXPECT_LE(w->minimumSizeHint().width(), w->width());
    EXPECT_LE(w->minimumSizeHint().height(), w->height());
}

// What the user types is part of the design: Save design writes it, a new
// run finds it again, and a design without ratings takes them away. Boxes
// without a number count as empty; a comma is a decimal separator.
TEST_F(PowerHandlingWindowTest, RatingsBelongToTheDesignAndStayBetweenRuns) {
    workedExample(0);
    PowerHandlingWindow* w = open();
    ASSERT_NE(w, nullptr);
    typeInto(w->ratingBox(Bass), "abc");
    typeInto(w->ratingBox(Mid), "2,5");
    typeInto(w->ratingBox(Tweeter), "60");
    typeInto(w->crestBox(), "x");
    typeInto(w->targetBox(), "104,5");
    PowerRatings expected;
    expected.drivers[Mid] = DriverRating{2.5, {}};
    expected.drivers[Tweeter] = DriverRating{60, {}};
    expected.targetSplDb = 104.5;
    EXPECT_EQ(session->design().powerHandling, expected);
    // 20.6 W into 2.5 W: overloaded, in red, and the limit.
    EXPECT_EQ(w->rowTexts(Mid)[5], "◄ limit");
    EXPECT_TRUE(w->loadLabel(Mid)->styleSheet().contains("#C00000"));
    EXPECT_FALSE(w->loadLabel(Tweeter)->styleSheet().contains("#C00000"));

    w->kindBox()->setCurrentIndex(1);
    emit w->kindBox()->activated(1);
    EXPECT_EQ(w->iecCutBox()->text(), "3000");  // the IEC tool's default
    typeInto(w->iecCutBox(), "2000");
    expected.drivers[Tweeter]->iecCutHz = 2000;
    EXPECT_EQ(session->design().powerHandling, expected);

    // Tab goes down the inputs in the order they stand.
    w->ratingBox(Bass)->setFocus();
    QStringList chain = {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(chain, QStringList({"RatingBass", "RatingMid", "RatingTweeter", "KindTweeter",
                                  "IecCutTweeter", "CrestFactor", "TargetSpl"}));

    backToMain();
    const QString saved = folder + "rated.ampora";
    userDialogs.onChooseFile = [&saved](FileChoice, const QString&, const QString&) {
        return saved;
    };
    main->designCommands().designActions()[2]->trigger();
    userDialogs.onChooseFile = {};
    ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    const DesignRead r = ReadDesignFile(S(saved));
    ASSERT_TRUE(r.design) << DesignProblemText(r.problem, 1);
    EXPECT_EQ(r.design->powerHandling, expected);

    // The next run in the same user folder finds the ratings again.
    destroy();
    create();
    EXPECT_EQ(session->powerRatings(), expected);
    w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->ratingBox(Mid)->text(), "2.5");
    EXPECT_EQ(w->iecCutBox()->text(), "2000");
    backToMain();
    // A design of its own brings its own (here: none).
    ASSERT_TRUE(main->designCommands().OpenDesign(AMPORA_SOURCE_DIR "/docs/three-way.ampora"));
    EXPECT_TRUE(session->powerRatings().empty());
    EXPECT_EQ(w->ratingBox(Tweeter)->text(), "");
    EXPECT_FALSE(w->iecCutBox()->isEnabled());
}

}  // namespace
}  // namespace ampora::ui::testing
