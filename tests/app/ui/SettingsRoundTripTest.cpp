#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>

#include "kit/Widgets.h"
#include "tests/app/ui/Fixture.h"
#include "tests/i18n/ui/SettingsFile.h"

namespace ampora::ui::testing {
namespace {

class SettingsRoundTripTest : public WindowTest {
protected:
    // Ends the run as the user does and starts the program again.
    void restart() {
        closeMain();
        destroy();
        create();
    }
    QComboBox* combo(const char* name) const {
        return main->centralWidget()->findChild<QComboBox*>(QString::fromUtf8(name));
    }
    QString shown(const char* name) const { return combo(name)->currentText(); }
    // A user's pick in a filter box: the item, then its change handler.
    void pick(int no, int index) {
        QComboBox* c = WindowTest::combo(no);
        ASSERT_LT(index, c->count());
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    // Centred for the built-in size; the shown frame may be a few pixels
    // larger than that.
    void expectCentred() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint off = main->frameGeometry().center() - screen.center();
        EXPECT_LE(std::abs(off.x()), 3) << off.x();
        EXPECT_LE(std::abs(off.y()), 3) << off.y();
        ASSERT_TRUE(session->Stored.winLeft && session->Stored.winTop);
        EXPECT_EQ(main->pos(), QPoint(*session->Stored.winLeft, *session->Stored.winTop));
    }
    std::unique_ptr<StoredFile> stored() const { return ReadCurvesFile(folder); }
};

TEST_F(SettingsRoundTripTest, LanguageSurvivesARestart) {
    struct Row {
        const char* command;
        int code;
        int langIndex;
        const char* calc;
    };
    const Row rows[] = {
        {"CmdLangRus", 0, 0, "Счёт!"}, {"CmdLangBel", 1, 2, "Лік!"}, {"CmdLangEng", 2, 1, "Calc!"}};
    create();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.command);
        main->MenuItems.value(QString::fromUtf8(r.command))->trigger();
        closeMain();
        EXPECT_EQ(stored()->a(1), r.code);
        destroy();
        create();
        EXPECT_EQ(languageIndex(), r.langIndex);
        EXPECT_EQ(checkedLanguage(), r.langIndex);
        EXPECT_EQ(button("ButCalc")->text(), QString::fromUtf8(r.calc));
    }
}

TEST_F(SettingsRoundTripTest, SensitivitiesAndImpedancesInTenths) {
    create();
    struct Row {
        int box;
        const char* typed;
        int field;
        int tenths;
        const char* back;
    };
    const Row rows[] = {{10, "90.5", 21, 905, "90.5"},  {12, "91.25", 22, 912, "91.2"},
                        {14, "87.35", 23, 874, "87.4"}, {11, "6.8", 24, 68, "6.8"},
                        {13, "4.25", 25, 42, "4.2"},    {15, "abc", 26, 40, "4"}};
    for (const Row& r : rows) box(r.box)->setText(QString::fromUtf8(r.typed));
    closeMain();
    {
        const auto file = stored();
        for (const Row& r : rows) EXPECT_EQ(file->a(r.field), r.tenths) << "a" << r.field;
    }
    destroy();
    create();
    for (const Row& r : rows) EXPECT_EQ(box(r.box)->text(), QString::fromUtf8(r.back)) << r.box;
    EXPECT_DOUBLE_EQ(session->design().bass.sensitivityDb, 90.5);
    EXPECT_DOUBLE_EQ(session->design().bass.impedanceOhm, 6.8);
}

TEST_F(SettingsRoundTripTest, BoxesFiltersIecColourAndMidrangePersist) {
    create();
    box(9)->setText(QStringLiteral("250"));
    box(5)->setText(QStringLiteral("400"));
    box(1)->setText(QStringLiteral("450"));
    box(3)->setText(QStringLiteral("2800"));
    box(6)->setText(QStringLiteral("3500"));
    pick(5, 3);  // bass: Linkwitz
    pick(7, 1);  //       order 4
    pick(1, 0);  // midrange low edge: no filter
    pick(2, 2);  // midrange high edge: Butterworth
    pick(4, 3);  //       order 4
    pick(6, 1);  // tweeter: Bessel
    pick(8, 0);  //       order 1
    iecBox(1)->setText(QStringLiteral("60"));
    iecBox(3)->setText(QStringLiteral("4000"));
    iecOrder()->setCurrentIndex(3);
    iec()->CalcPower();  // as Enter in the tool does: the real filter takes the cut
    ShapeBox* teal = main->centralWidget()->findChild<ShapeBox*>(QStringLiteral("Shape9"));
    ASSERT_NE(teal, nullptr);
    QTest::mouseClick(teal, Qt::LeftButton);
    ASSERT_EQ(curves->curveColor(), 0x818101u);
    const QPoint at = main->pos() + QPoint(17, 23);
    main->move(at);
    closeMain();
    {
        const auto f = stored();
        const std::pair<int, int> want[] = {
            {2, 400},   {3, 450}, {4, 2800}, {5, 3500},      {6, 3},       {7, 0},      {8, 2},
            {9, 1},     {10, 1},  {12, 3},   {13, 0},        {14, 1},      {16, 60},    {17, 4000},
            {18, 4000}, {19, 3},  {20, 250}, {27, 0x818101}, {28, at.x()}, {29, at.y()}};
        for (auto [field, value] : want) EXPECT_EQ(f->a(field), value) << "a" << field;
        EXPECT_EQ(f->a(30), std::nullopt);
        EXPECT_EQ(f->a(31), std::nullopt);
    }
    destroy();
    create();
    EXPECT_EQ(box(9)->text(), "250");
    EXPECT_EQ(box(5)->text(), "400");
    EXPECT_EQ(box(1)->text(), "450");
    EXPECT_EQ(box(3)->text(), "2800");
    EXPECT_EQ(box(6)->text(), "3500");
    EXPECT_EQ(shown("ComboBox5"), "Linkwitz");
    EXPECT_EQ(shown("ComboBox7"), "4");
    EXPECT_EQ(shown("ComboBox1"), QString::fromUtf8("———"));
    EXPECT_EQ(shown("ComboBox2"), "Butterworth");
    EXPECT_EQ(shown("ComboBox4"), "4");
    EXPECT_EQ(shown("ComboBox6"), "Bessel");
    EXPECT_EQ(shown("ComboBox8"), "1");
    EXPECT_EQ(iecBox(1)->text(), "60");
    EXPECT_EQ(iecBox(3)->text(), "4000");
    EXPECT_EQ(iecBox(7)->text(), "4000");
    EXPECT_EQ(iecOrder()->currentIndex(), 3);
    EXPECT_EQ(curves->curveColor(), 0x818101u);
    EXPECT_EQ(main->pos(), at);
    EXPECT_TRUE(check("CheckBoxMid")->isChecked());
}

TEST_F(SettingsRoundTripTest, MidrangeOffPersists) {
    create();
    box(6)->setText(QStringLiteral("2500"));
    check("CheckBoxMid")->setChecked(false);
    ASSERT_TRUE(group("GroupBox2")->isHidden());
    closeMain();
    EXPECT_EQ(stored()->a(14), 0);
    destroy();

    // The bass box is filled from its own field first; switching the
    // midrange off then gives it the tweeter's cut-off.
    SettingsValues v;
    v.midOn = 0;
    v.lfCutFreq = 320;
    v.hfCutFreq = 2500;
    WriteCurvesFile(folder, v);
    create();
    EXPECT_FALSE(check("CheckBoxMid")->isChecked());
    EXPECT_TRUE(group("GroupBox2")->isHidden());
    EXPECT_EQ(box(5)->text(), box(6)->text());
    EXPECT_EQ(box(5)->text(), "2500");
}

TEST_F(SettingsRoundTripTest, CurrentCurveComesBackByItsPlaceInNameOrder) {
    // Name order: IEC/DIN, Классика, Рок, Шум белый, Шум розовый; the
    // settings record ("Settings" sorts among them) is never counted.
    struct Row {
        const char* curve;
        int recNo;
    };
    const Row rows[] = {{"Рок", 3}, {"Шум белый", 4}, {"Шум розовый", 5}, {"IEC/DIN", 1}};
    create();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.curve);
        curves->CurveOpen(QString::fromUtf8(r.curve));
        ASSERT_EQ(session->CurCurveName, QString::fromUtf8(r.curve));
        closeMain();
        EXPECT_EQ(stored()->a(15), r.recNo);
        destroy();
        create();
        EXPECT_EQ(session->CurCurveName, QString::fromUtf8(r.curve));
        EXPECT_EQ(session->CurCurveRecNo, r.recNo);
    }
}

TEST_F(SettingsRoundTripTest, UnreachableCurveNumberOpensTheFirstCurve) {
    for (int recNo : {0, -3, 6, 99}) {
        SCOPED_TRACE(recNo);
        SettingsValues v;
        v.savedCurveRecNo = recNo;
        WriteCurvesFile(folder, v);
        create();
        EXPECT_EQ(session->CurCurveName, "IEC/DIN");
        EXPECT_TRUE(messages.isEmpty());
        destroy();
    }
}

TEST_F(SettingsRoundTripTest, NoCurveFileGivesEveryDefault) {
    ASSERT_FALSE(QFile::exists(QString::fromStdString(CurvesPath(folder))));
    create();
    EXPECT_EQ(languageIndex(), 1);
    for (auto [no, text] : std::initializer_list<std::pair<int, const char*>>{{5, "320"},
                                                                              {1, "320"},
                                                                              {3, "3200"},
                                                                              {6, "3200"},
                                                                              {9, "100"},
                                                                              {10, "88"},
                                                                              {12, "88"},
                                                                              {14, "88"},
                                                                              {11, "4"},
                                                                              {13, "4"},
                                                                              {15, "4"}})
        EXPECT_EQ(box(no)->text(), text) << no;
    for (const char* type : {"ComboBox5", "ComboBox1", "ComboBox2", "ComboBox6"})
        EXPECT_EQ(shown(type), "Bessel") << type;
    for (const char* order : {"ComboBox7", "ComboBox3", "ComboBox4", "ComboBox8"})
        EXPECT_EQ(shown(order), "2") << order;
    EXPECT_TRUE(check("CheckBoxMid")->isChecked());
    EXPECT_FALSE(group("GroupBox2")->isHidden());
    EXPECT_EQ(curves->curveColor(), DefaultCurveColor);
    EXPECT_EQ(session->CurCurveName, "IEC/DIN");
    EXPECT_EQ(iecBox(1)->text(), "100");
    EXPECT_EQ(iecBox(3)->text(), "3000");
    EXPECT_EQ(iecBox(7)->text(), "3000");
    EXPECT_EQ(iecOrder()->currentIndex(), 1);
    expectCentred();
}

TEST_F(SettingsRoundTripTest, RecordWithoutPositionIsCentredAndKeepsTheRest) {
    SettingsValues v;
    v.languageCode = 1;
    v.ampPower = 150;
    v.mfSens = 91.5;
    v.iecPower = 70;
    v.curveColor = 0x41B171;
    v.winLeft = 5;  // emptied below
    v.winTop = 7;
    WriteCurvesFile(folder, v, 1, [](Table& t) {
        t.setNull(28);
        t.setNull(29);
    });
    create();
    expectCentred();
    EXPECT_EQ(languageIndex(), 2);
    EXPECT_EQ(box(9)->text(), "150");
    EXPECT_EQ(box(12)->text(), "91.5");
    EXPECT_EQ(iecBox(1)->text(), "70");
    EXPECT_EQ(curves->curveColor(), 0x41B171u);
    destroy();

    // One of the two missing is as good as both.
    WriteCurvesFile(folder, v, 1, [](Table& t) { t.setNull(29); });
    create();
    expectCentred();
}

TEST_F(SettingsRoundTripTest, PositionOffEveryScreenIsCentred) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Row {
        const char* name;
        QPoint at;
    };
    const Row rows[] = {{"far left and up", {-5000, -5000}},
                        {"beyond the right edge", {screen.right() + 100, 10}},
                        {"below the bottom", {10, screen.bottom() + 100}},
                        {"title bar above the top", {100, screen.y() - 30}},
                        {"title bar below the bottom", {100, screen.bottom() - 10}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SettingsValues v;
        v.winLeft = r.at.x();
        v.winTop = r.at.y();
        WriteCurvesFile(folder, v);
        create();
        expectCentred();
        destroy();
    }
    // A position on the screen is kept as stored.
    SettingsValues v;
    v.winLeft = screen.x() + 12;
    v.winTop = screen.y() + 34;
    WriteCurvesFile(folder, v);
    create();
    EXPECT_EQ(main->pos(), QPoint(screen.x() + 12, screen.y() + 34));
}

TEST_F(SettingsRoundTripTest, DuplicatedRecordIsRemovedAndWrittenOnce) {
    SettingsValues v;
    v.ampPower = 77;
    WriteCurvesFile(folder, v, 2);
    create();
    EXPECT_EQ(box(9)->text(), "77");
    Table* t = (&session->curveTable());
    EXPECT_EQ(t->recordCount(), 5);
    for (int r = 0; r < t->recordCount(); ++r)
        EXPECT_NE(t->cellAt(r, 0).text.value_or(""), SettingsRecordName) << r;
    closeMain();
    const auto f = stored();
    EXPECT_EQ(f->settingsRecords, 1);
    EXPECT_EQ(f->curves, 5);
    EXPECT_EQ(f->a(20), 77);
    closeMain();  // a second close writes nothing more
    EXPECT_EQ(stored()->settingsRecords, 1);
}

TEST_F(SettingsRoundTripTest, ExitCommandWritesOnceLikeClosing) {
    create();
    box(9)->setText(QStringLiteral("123"));
    main->MenuItems.value(QStringLiteral("CmdFileExit"))->trigger();
    EXPECT_FALSE(QFile::exists(folder + QString::fromUtf8(ScratchFileName)))
        << "scratch file removed";
    box(9)->setText(QStringLiteral("456"));
    closeMain();  // the window goes away after the command: nothing more is written
    const auto f = stored();
    EXPECT_EQ(f->settingsRecords, 1);
    EXPECT_EQ(f->a(20), 123);
    destroy();
    create();
    EXPECT_EQ(box(9)->text(), "123");
}

TEST_F(SettingsRoundTripTest, EmptyFieldsTakeTheirDefaults) {
    SettingsValues v;
    v.languageCode = 0;
    v.ampPower = 300;
    v.lfCutFreq = 250;
    v.lfSens = 95;
    v.hfImp = 6;
    WriteCurvesFile(folder, v, 1, [](Table& t) {
        for (int field : {2, 6, 10, 14, 16, 19, 20, 21, 26, 27}) t.setNull(field);
    });
    create();
    EXPECT_EQ(languageIndex(), 0) << "fields that are present are read";
    EXPECT_EQ(box(5)->text(), "320");
    EXPECT_EQ(shown("ComboBox5"), "Bessel");
    EXPECT_EQ(shown("ComboBox7"), "2");
    EXPECT_TRUE(check("CheckBoxMid")->isChecked());
    EXPECT_EQ(iecBox(1)->text(), "100");
    EXPECT_EQ(iecOrder()->currentIndex(), 1);
    EXPECT_EQ(box(9)->text(), "100");
    EXPECT_EQ(box(10)->text(), "88");
    EXPECT_EQ(box(15)->text(), "4");
    EXPECT_EQ(curves->curveColor(), DefaultCurveColor);
}

TEST_F(SettingsRoundTripTest, IndexesOutsideTheirListsTakeOne) {
    SettingsValues v;
    WriteCurvesFile(folder, v, 1, [](Table& t) {
        t.setField(6, int32_t{7});   // bass type
        t.setField(9, int32_t{-2});  // tweeter type
        t.setField(7, int32_t{3});   // midrange low edge: Linkwitz ...
        t.setField(11, int32_t{2});  // ... has only two orders
        t.setField(12, int32_t{9});  // midrange high edge order
        t.setField(19, int32_t{4});  // IEC real order
    });
    create();
    EXPECT_EQ(shown("ComboBox5"), "Bessel");
    EXPECT_EQ(shown("ComboBox6"), "Bessel");
    EXPECT_EQ(shown("ComboBox1"), "Linkwitz");
    EXPECT_EQ(shown("ComboBox3"), "4") << "item 1 of the Linkwitz orders";
    EXPECT_EQ(shown("ComboBox4"), "2");
    EXPECT_EQ(iecOrder()->currentIndex(), 1);
}

TEST_F(SettingsRoundTripTest, IecInputsThatAreNotWholeNumbersStoreDefaults) {
    create();
    iecBox(1)->setText(QStringLiteral("abc"));
    iecBox(3)->setText(QStringLiteral("3.5"));
    iecBox(7)->setText(QString());
    iecOrder()->setCurrentIndex(-1);
    closeMain();
    const auto f = stored();
    EXPECT_EQ(f->a(16), 100);
    EXPECT_EQ(f->a(17), 3000);
    EXPECT_EQ(f->a(18), 3000);
    EXPECT_EQ(f->a(19), 1);
}

TEST_F(SettingsRoundTripTest, InvalidMainBoxesAreStoredAsTheirDefaults) {
    create();
    box(9)->setText(QStringLiteral("lots"));
    box(1)->setText(QStringLiteral("1k"));
    box(12)->setText(QString());
    closeMain();
    const auto f = stored();
    EXPECT_EQ(f->a(20), 100);
    EXPECT_EQ(f->a(3), 320);
    EXPECT_EQ(f->a(22), 880);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

}  // namespace
}  // namespace ampora::ui::testing
