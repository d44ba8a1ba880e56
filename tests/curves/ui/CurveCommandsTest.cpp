// The curve commands and the picker, driven through the menus, the buttons,
// the grid and the keyboard.

#include "tests/curves/ui/CurveWindowTest.h"

namespace ampora::ui::testing {
namespace {

using CurveCommandsTest = CurveWindowTest;

const QString Rock = QString::fromUtf8("Рок");
const QString Classic = QString::fromUtf8("Классика");
const QString IecDin = QStringLiteral("IEC/DIN");

TEST_F(CurveCommandsTest, NewCurveDrawnAndSavedUnderATypedName) {
    create();
    trigger("CmdCurveNew");
    EXPECT_TRUE(label("Label24")->text().isEmpty());
    EXPECT_TRUE(box(7)->text().isEmpty());
    clickGraph(XOfBand(2), YOfDepth(0));
    clickGraph(XOfBand(10), YOfDepth(12));
    clickGraph(XOfBand(20), YOfDepth(40));
    trigger("CmdCurveSave");
    EXPECT_EQ(session->CurveMode, ModeSave);
    EXPECT_TRUE(pickerShown());
    EXPECT_FALSE(box(2)->isHidden());
    EXPECT_TRUE(box(2)->text().isEmpty());
    EXPECT_TRUE(languageMenuEnabled());  // Save asking a name leaves it usable
    typeName("Test");
    pressOk();

    auto expected = Flat(NoLevel);
    expected[2] = 0;
    expected[10] = -12;  // the band at -40 dB counts as none for this writer
    EXPECT_EQ(stored("Test"), expected);
    EXPECT_EQ(records(), 6);
    EXPECT_EQ(label("Label24")->text(), "( Test )");
    EXPECT_EQ(session->CurCurveName, "Test");
    EXPECT_EQ(session->CurCurveRecNo, rowOf("Test") + 1);
    EXPECT_EQ(session->CurveMode, ModeIdle);
    EXPECT_EQ(shownMarker(), 5);
    EXPECT_FALSE(pickerShown());
    EXPECT_TRUE(box(2)->text().isEmpty());
    EXPECT_FALSE(box(7)->text().isEmpty());  // the calculation ran
    EXPECT_FALSE(box(8)->text().isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    // Keys typed now reach no hidden picker control.
    EXPECT_FALSE(find<QFrame>("Panel2")->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(CurveCommandsTest, SaveAsAnExistingNameOverwritesIt) {
    create();
    for (const QString& target : {Rock, IecDin}) {
        SCOPED_TRACE(target.toStdString());
        clickPreset(1);  // Классика
        trigger("CmdCurveSaveAs");
        EXPECT_EQ(box(2)->text(), Classic);
        EXPECT_EQ(label("Label25")->text(), "Save As");
        EXPECT_FALSE(languageMenuEnabled());
        typeName(target);
        pressOk();
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(records(), 5);
        EXPECT_EQ(countNamed(target), 1);
        auto expected = builtIn("Классика");
        expected[30] = NoLevel;  // its band at -40 dB, as this writer stores it
        EXPECT_EQ(stored(target), expected);
        EXPECT_EQ(session->CurCurveName, target);
        EXPECT_EQ(shownMarker(), target == IecDin ? 0 : 2);
        EXPECT_TRUE(languageMenuEnabled());
    }
}

TEST_F(CurveCommandsTest, LongNameFindsTheRecordItWouldBeStoredAs) {
    create();
    const QString name50 = QString(50, QLatin1Char('x'));
    trigger("CmdCurveSaveAs");
    typeName(name50);
    pressOk();
    ASSERT_EQ(records(), 6);
    clickPreset(2);
    trigger("CmdCurveSaveAs");
    typeName(name50 + QStringLiteral("-longer"));
    pressOk();
    EXPECT_EQ(records(), 6);
    EXPECT_EQ(countNamed(name50), 1);
    EXPECT_EQ(stored(name50), builtIn("Рок"));
    EXPECT_EQ(session->CurCurveName, name50);
}

TEST_F(CurveCommandsTest, GridClickInSaveModeProposesThatName) {
    create();
    trigger("CmdCurveSaveAs");
    ASSERT_EQ(box(2)->text(), IecDin);
    clickGridRow(Rock);
    EXPECT_EQ(box(2)->text(), Rock);
    EXPECT_EQ(cursorName(), Rock);
    pressOk();
    EXPECT_EQ(stored(Rock), builtIn("IEC/DIN"));
}

TEST_F(CurveCommandsTest, DeletingTheCurrentCurveFallsBackToIecDin) {
    create();
    clickPreset(2);
    ASSERT_EQ(session->CurCurveName, Rock);
    trigger("CmdCurveDelete");
    EXPECT_EQ(session->CurveMode, ModeDelete);
    EXPECT_TRUE(pickerShown());
    EXPECT_TRUE(box(2)->isHidden());
    EXPECT_EQ(label("Label25")->text(), "Delete");
    EXPECT_EQ(cursorName(), Rock);
    for (int no : {4, 7, 8}) EXPECT_TRUE(box(no)->text().isEmpty()) << no;
    pressOk();
    EXPECT_EQ(records(), 4);
    EXPECT_EQ(rowOf(Rock), -1);
    EXPECT_EQ(session->CurCurveName, IecDin);
    EXPECT_EQ(session->CurCurveRecNo, 1);
    EXPECT_EQ(label("Label24")->text(), "( IEC/DIN )");
    EXPECT_EQ(shownMarker(), 0);
    EXPECT_EQ(shownLevels(), builtIn("IEC/DIN"));
    EXPECT_EQ(session->CurveMode, ModeIdle);
    EXPECT_FALSE(box(7)->text().isEmpty());
    EXPECT_TRUE(messages.isEmpty());

    loadMenu("Eng");
    clickPreset(2);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString::fromUtf8("Curve \"Рок\" not found"));
    EXPECT_EQ(session->CurCurveName, IecDin);
    EXPECT_EQ(session->CurveMode, ModeOpen);  // the open did not complete
    EXPECT_TRUE(languageMenuEnabled());
}

TEST_F(CurveCommandsTest, DeletingAnotherCurveAlsoMakesIecDinCurrent) {
    create();
    clickPreset(2);
    clickGraph(XOfBand(5), YOfDepth(30));  // unsaved, lost by the delete
    trigger("CmdCurveDelete");
    clickGridRow(Classic);
    pressOk();
    EXPECT_EQ(rowOf(Classic), -1);
    EXPECT_EQ(stored(Rock), builtIn("Рок"));
    EXPECT_EQ(session->CurCurveName, IecDin);
    EXPECT_EQ(shownLevels(), builtIn("IEC/DIN"));
}

TEST_F(CurveCommandsTest, IecDinCannotBeDeleted) {
    create();
    clickPreset(2);
    trigger("CmdCurveDelete");
    clickGridRow(IecDin);
    pressOk();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Curve \"IEC/DIN\" cannot be deleted");
    EXPECT_EQ(records(), 5);
    EXPECT_EQ(session->CurveMode, ModeDelete);
    EXPECT_FALSE(pickerShown());
    EXPECT_TRUE(languageMenuEnabled());
    EXPECT_EQ(session->CurCurveName, Rock);  // refused like a Cancel
    EXPECT_EQ(shownLevels(), builtIn("Рок"));
}

TEST_F(CurveCommandsTest, DeletingTheLastRecordLeavesNoCurve) {
    writeCurveFile({{"Solo", Flat(-10)}});
    create();
    ASSERT_EQ(session->CurCurveName, "Solo");
    trigger("CmdCurveDelete");
    pressOk();
    EXPECT_EQ(records(), 0);
    EXPECT_EQ(label("Label24")->text(), "(  )");
    EXPECT_TRUE(session->CurCurveName.isEmpty());
    EXPECT_EQ(session->CurCurveRecNo, -1);
    for (int i = 0; i < 31; ++i) {
        EXPECT_EQ(session->BandLevel[size_t(i)], 0) << i;
        EXPECT_EQ(curves->bandDepth()[size_t(i)], 41) << i;
    }
    EXPECT_EQ(countPixels(barRgb()), 0);  // bars of no height
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Spectral density curve not loaded.");
    EXPECT_TRUE(box(7)->text().isEmpty());

    // Nothing left to open or delete: the picker stays closed.
    messages.clear();
    trigger("CmdCurveOpen");
    trigger("CmdCurveDelete");
    EXPECT_EQ(messages, QStringList({"No saved curves", "No saved curves"}));
    EXPECT_FALSE(pickerShown());
    EXPECT_EQ(session->CurveMode, ModeIdle);
    EXPECT_TRUE(languageMenuEnabled());
}

TEST_F(CurveCommandsTest, DeleteWithoutIecDinMakesTheNextRecordCurrentWithItsLevels) {
    writeCurveFile({{"A", Flat(-5)}, {"B", Flat(-25)}});
    create();
    ASSERT_EQ(session->CurCurveName, "A");
    trigger("CmdCurveDelete");
    pressOk();
    EXPECT_EQ(messages, QStringList({"Curve \"IEC/DIN\" not found"}));
    EXPECT_EQ(session->CurCurveName, "B");
    EXPECT_EQ(label("Label24")->text(), "( B )");
    EXPECT_EQ(shownLevels(), Flat(-25));
    EXPECT_EQ(session->CurveMode, ModeIdle);
}

TEST_F(CurveCommandsTest, OpenThenCancelLeavesEverythingAsItWas) {
    create();
    clickPreset(2);
    clickGraph(XOfBand(4), YOfDepth(20));  // an unsaved edit survives too
    const QImage graph = curves->graphImage().copy();
    const auto levels = session->BandLevel;
    trigger("CmdCurveOpen");
    EXPECT_EQ(label("Label25")->text(), "Open");
    EXPECT_TRUE(box(2)->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), find<QTableView>("DBGrid1"));
    clickGridRow(Classic);
    EXPECT_EQ(cursorName(), Classic);
    pressCancel();
    EXPECT_FALSE(pickerShown());
    EXPECT_EQ(curves->graphImage(), graph);
    EXPECT_EQ(session->BandLevel, levels);
    EXPECT_EQ(session->CurCurveName, Rock);
    EXPECT_EQ(label("Label24")->text(), QStringLiteral("( %1 )").arg(Rock));
    EXPECT_EQ(cursorName(), Rock);
    EXPECT_EQ(session->CurveMode, ModeOpen);
}

TEST_F(CurveCommandsTest, OpenThroughThePickerLoadsTheSelectedRow) {
    create();
    clickPreset(5);  // "Другая" opens the picker
    EXPECT_TRUE(pickerShown());
    EXPECT_EQ(session->CurveMode, ModeOpen);
    clickGridRow(QString::fromUtf8("Шум белый"));
    pressOk();
    EXPECT_EQ(session->CurCurveName, QString::fromUtf8("Шум белый"));
    EXPECT_EQ(shownLevels(), builtIn("Шум белый"));
    EXPECT_EQ(shownMarker(), 3);
}

// The two writers disagree about a band at -40 dB; a band without a level
// stays without one through both.
struct WriterCase {
    const char* name;
    bool saveAs;
    int32_t at40, noLevel, nullField;
};
const WriterCase WriterCases[] = {
    {"SaveKeepsTheBottomLevel", false, -40, NoLevel, NoLevel},
    {"SaveAsDropsTheBottomLevel", true, NoLevel, NoLevel, NoLevel},
};

class CurveWriterTest : public CurveWindowTest, public ::testing::WithParamInterface<WriterCase> {};

TEST_P(CurveWriterTest, LevelsAtAndBelowTheBottom) {
    const WriterCase& c = GetParam();
    auto levels = Flat(-7);
    levels[0] = -40;
    levels[1] = NoLevel;
    levels[2] = std::nullopt;
    levels[3] = -250;  // foreign values outside the graph's range
    levels[4] = 12;
    writeCurveFile({{"Probe", levels}});
    create();
    ASSERT_EQ(session->CurCurveName, "Probe");
    EXPECT_EQ(session->BandLevel[1], -60);
    EXPECT_EQ(session->BandLevel[2], -60);  // an empty field is no level
    EXPECT_EQ(session->BandLevel[3], -60);
    EXPECT_EQ(session->BandLevel[4], 40);  // kept to the top of the graph
    EXPECT_EQ(pixel(XOfBand(4) - 5, 34), WhiteRgb);
    clickGraph(XOfBand(5), YOfDepth(40));  // a fresh point at the bottom too
    if (c.saveAs) {
        trigger("CmdCurveSaveAs");
        pressOk();  // the name box holds the curve's own name
    } else {
        trigger("CmdCurveSave");
        EXPECT_FALSE(pickerShown());
    }
    EXPECT_TRUE(messages.isEmpty());
    const auto out = stored("Probe");
    ASSERT_EQ(out.size(), 31u);
    EXPECT_EQ(out[0], c.at40);
    EXPECT_EQ(out[5], c.at40);
    EXPECT_EQ(out[1], c.noLevel);
    EXPECT_EQ(out[2], c.nullField);
    EXPECT_EQ(out[3], NoLevel);
    EXPECT_EQ(out[4], 0);
    EXPECT_EQ(out[6], -7);
    EXPECT_EQ(records(), 1);
}

INSTANTIATE_TEST_SUITE_P(Curve, CurveWriterTest, ::testing::ValuesIn(WriterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurveCommandsTest, SaveOverwritesTheOwnRecordWhereverTheCursorIs) {
    create();
    clickPreset(2);
    clickGraph(XOfBand(0), YOfDepth(1));
    trigger("CmdCurveOpen");
    clickGridRow(Classic);  // the cursor moves away; Save still means Рок
    trigger("CmdCurveSave");
    EXPECT_EQ(session->CurveMode, ModeOpen);
    auto expected = builtIn("Рок");
    expected[0] = -1;
    EXPECT_EQ(stored(Rock), expected);
    EXPECT_EQ(stored(Classic), builtIn("Классика"));
    // The grid shows where the cursor now is, and OK opens that row.
    EXPECT_EQ(find<QTableView>("DBGrid1")->currentIndex().row(), rowOf(Rock));
    pressOk();
    EXPECT_EQ(session->CurCurveName, Rock);
}

TEST_F(CurveCommandsTest, CurvesWithoutALevelAboveTheBottomAreNotSaved) {
    create();
    trigger("CmdCurveNew");
    trigger("CmdCurveSave");
    for (int band : {0, 7, 30}) clickGraph(XOfBand(band), YOfDepth(40));
    trigger("CmdCurveSave");
    trigger("CmdCurveSaveAs");
    EXPECT_EQ(messages, QStringList({"No data for save", "No data for save", "No data for save"}));
    EXPECT_FALSE(pickerShown());
    EXPECT_EQ(session->CurveMode, ModeNew);
    EXPECT_EQ(records(), 5);
}

TEST_F(CurveCommandsTest, OkWithAnEmptyNameWritesNothingAndKeepsTheDrawnCurveUnbound) {
    create();
    trigger("CmdCurveNew");
    clickGraph(XOfBand(3), YOfDepth(3));
    const auto levels = session->BandLevel;
    trigger("CmdCurveSave");
    pressOk();
    EXPECT_EQ(records(), 5);
    EXPECT_FALSE(pickerShown());
    EXPECT_TRUE(session->CurCurveName.isEmpty());
    EXPECT_EQ(session->BandLevel, levels);
    EXPECT_EQ(shownMarker(), 5);
    // So the next Save asks for a name instead of overwriting IEC/DIN.
    trigger("CmdCurveSave");
    EXPECT_TRUE(pickerShown());
    EXPECT_EQ(stored(IecDin), builtIn("IEC/DIN"));
    pressCancel();
}

TEST_F(CurveCommandsTest, CancelledDeleteKeepsAnUnsavedCurveUnbound) {
    create();
    trigger("CmdCurveNew");
    clickGraph(XOfBand(3), YOfDepth(3));
    trigger("CmdCurveDelete");
    pressCancel();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(session->CurCurveRecNo, -1);
    EXPECT_TRUE(session->CurCurveName.isEmpty());
    EXPECT_EQ(session->CurveMode, ModeDelete);
    trigger("CmdCurveSave");
    EXPECT_EQ(session->CurveMode, ModeSave);
    EXPECT_TRUE(pickerShown());
    EXPECT_EQ(stored(IecDin), builtIn("IEC/DIN"));
}

// Every transition of the curve mode, each from a fresh start with IEC/DIN
// loaded (mode 0). The language menu is locked while the picker chooses a
// curve, or a name for Save As; Save asking a name leaves it free.
struct ModeCase {
    const char* name;
    void (*steps)(CurveWindowTest&);
    int mode;
    bool picker;
    bool languageMenu;
};

class CurveModeTest : public CurveWindowTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(CurveModeTest, Transition) {
    const ModeCase& c = GetParam();
    create();
    ASSERT_EQ(session->CurveMode, ModeIdle);
    c.steps(*this);
    EXPECT_EQ(session->CurveMode, c.mode);
    EXPECT_EQ(pickerShown(), c.picker);
    EXPECT_EQ(languageMenuEnabled(), c.languageMenu);
}

#define STEPS(body) [](CurveWindowTest& x) { body; }
const ModeCase ModeCases[] = {
    {"StartUpOpenCompletes", STEPS((void)x), ModeIdle, false, true},
    {"New", STEPS(x.trigger("CmdCurveNew")), ModeNew, false, true},
    {"NewFromThePopup", STEPS(x.trigger("PopUpCurveNew")), ModeNew, false, true},
    {"Open", STEPS(x.trigger("CmdCurveOpen")), ModeOpen, true, false},
    {"OpenThenOk", STEPS(x.trigger("PopUpCurveOpen"); x.pressOk()), ModeIdle, false, true},
    {"OpenThenCancel", STEPS(x.trigger("CmdCurveOpen"); x.pressCancel()), ModeOpen, false, true},
    {"PresetFound", STEPS(x.clickPreset(4)), ModeIdle, false, true},
    {"SaveAs", STEPS(x.trigger("CmdCurveSaveAs")), ModeSave, true, false},
    {"SaveAsThenOk", STEPS(x.trigger("PopUpCurveSaveAs"); x.typeName("N"); x.pressOk()), ModeIdle,
     false, true},
    {"SaveAsThenCancel", STEPS(x.trigger("CmdCurveSaveAs"); x.pressCancel()), ModeSave, false,
     true},
    {"SaveOfANewCurve",
     STEPS(x.trigger("CmdCurveNew"); x.clickGraph(100, 100); x.trigger("PopUpCurveSave")), ModeSave,
     true, true},
    {"SaveOfANewCurveThenOk",
     STEPS(x.trigger("CmdCurveNew"); x.clickGraph(100, 100); x.trigger("CmdCurveSave");
           x.typeName("N"); x.pressOk()),
     ModeIdle, false, true},
    {"SaveOfANewCurveThenCancel",
     STEPS(x.trigger("CmdCurveNew"); x.clickGraph(100, 100); x.trigger("CmdCurveSave");
           x.pressCancel()),
     ModeSave, false, true},
    {"SaveOfAStoredCurve", STEPS(x.trigger("CmdCurveSave")), ModeIdle, false, true},
    {"SaveWhileOpening", STEPS(x.trigger("CmdCurveOpen"); x.trigger("CmdCurveSave")), ModeOpen,
     true, false},
    {"SaveOfAnEmptyNewCurve", STEPS(x.trigger("CmdCurveNew"); x.trigger("CmdCurveSave")), ModeNew,
     false, true},
    {"Delete", STEPS(x.trigger("CmdCurveDelete")), ModeDelete, true, false},
    {"DeleteThenOk", STEPS(x.trigger("PopUpCurveDelete"); x.clickGridRow(Rock); x.pressOk()),
     ModeIdle, false, true},
    {"DeleteRefusedForIecDin", STEPS(x.trigger("CmdCurveDelete"); x.pressOk()), ModeDelete, false,
     true},
    {"DeleteThenCancel", STEPS(x.trigger("CmdCurveDelete"); x.pressCancel()), ModeDelete, false,
     true},
    {"NewThenCancelOfAnotherPicker",
     STEPS(x.trigger("CmdCurveOpen"); x.trigger("CmdCurveNew"); x.pressCancel()), ModeNew, false,
     true},
};
#undef STEPS

INSTANTIATE_TEST_SUITE_P(Curve, CurveModeTest, ::testing::ValuesIn(ModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Captions and messages follow the language chosen in the menu.
struct LanguageCase {
    const char* code;
    const char *open, *saveAs, *del, *noData, *cannotDelete, *notFound, *noSaved;
};
const LanguageCase LanguageCases[] = {
    {"Rus", "Загрузить", "Сохранить как", "Удалить", "Нет данных для сохранения",
     "Кривую \"IEC/DIN\" удалить нельзя", "Кривой \"Рок\" нет среди сохранённых",
     "Сохранённых кривых нет"},
    {"Eng", "Open", "Save As", "Delete", "No data for save", "Curve \"IEC/DIN\" cannot be deleted",
     "Curve \"Рок\" not found", "No saved curves"},
    {"Bel", "Загрузіць", "Захаваць як", "Выдаліць", "Няма дадзеных для захавання",
     "Крывую \"IEC/DIN\" выдаліць нельга", "Крывой \"Рок\" няма сярод захаваных",
     "Захаваных крывых няма"},
};

class CurveLanguageTest : public CurveWindowTest,
                          public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(CurveLanguageTest, CaptionsAndMessages) {
    const LanguageCase& c = GetParam();
    create();
    loadMenu(c.code);
    EXPECT_EQ(label("Label25")->text(), QString::fromUtf8("Имя кривой:"));
    const std::pair<const char*, const char*> captions[] = {
        {"CmdCurveOpen", c.open}, {"CmdCurveSaveAs", c.saveAs}, {"CmdCurveDelete", c.del}};
    for (const auto& [item, caption] : captions) {
        trigger(item);
        EXPECT_EQ(label("Label25")->text(), QString::fromUtf8(caption)) << item;
        pressCancel();
    }
    // Save asking a name leaves the caption of the last command.
    trigger("CmdCurveNew");
    clickGraph(200, 100);
    trigger("CmdCurveSave");
    EXPECT_EQ(label("Label25")->text(), QString::fromUtf8(c.del));
    pressCancel();

    trigger("CmdCurveNew");
    trigger("CmdCurveSave");
    clickPreset(0);
    trigger("CmdCurveDelete");
    pressOk();
    clickPreset(2);
    trigger("CmdCurveDelete");
    pressOk();
    clickPreset(2);
    EXPECT_EQ(messages, QStringList({QString::fromUtf8(c.noData), QString::fromUtf8(c.cannotDelete),
                                     QString::fromUtf8(c.notFound)}));
}

TEST_P(CurveLanguageTest, NoSavedCurves) {
    writeCurveFile({{"Solo", Flat(0)}});
    create();
    trigger("CmdCurveDelete");
    pressOk();
    loadMenu(GetParam().code);
    messages.clear();
    trigger("CmdCurveOpen");
    clickPreset(0);
    EXPECT_EQ(messages, QStringList({QString::fromUtf8(GetParam().noSaved),
                                     QString::fromUtf8(GetParam().noSaved)}));
}

INSTANTIATE_TEST_SUITE_P(Curve, CurveLanguageTest, ::testing::ValuesIn(LanguageCases),
                         [](const auto& info) { return std::string(info.param.code); });

// Enter in the name box or on the grid acts as OK, Esc as Cancel.
struct KeyCase {
    const char* name;
    const char* command;
    bool onGrid;
    Qt::Key key;
    bool acceptsPick;
};
const KeyCase KeyCases[] = {
    {"EnterInNameBox", "CmdCurveSaveAs", false, Qt::Key_Return, true},
    {"KeypadEnterInNameBox", "CmdCurveSaveAs", false, Qt::Key_Enter, true},
    {"EscInNameBox", "CmdCurveSaveAs", false, Qt::Key_Escape, false},
    {"EnterOnGrid", "CmdCurveOpen", true, Qt::Key_Return, true},
    {"EscOnGrid", "CmdCurveOpen", true, Qt::Key_Escape, false},
};

class CurveKeyTest : public CurveWindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CurveKeyTest, PickerKeys) {
    const KeyCase& c = GetParam();
    create();
    trigger(c.command);
    QWidget* target = c.onGrid ? static_cast<QWidget*>(find<QTableView>("DBGrid1")) : box(2);
    EXPECT_EQ(QApplication::focusWidget(), target);
    if (c.onGrid) {
        QTest::keyClick(target, Qt::Key_Down);  // IEC/DIN -> Классика
        EXPECT_EQ(cursorName(), Classic);
    } else {
        typeName("Keyed");
    }
    QTest::keyClick(target, c.key);
    EXPECT_FALSE(pickerShown());
    EXPECT_EQ(session->CurveMode, c.acceptsPick ? ModeIdle : (c.onGrid ? ModeOpen : ModeSave));
    const QString picked = c.onGrid ? Classic : QStringLiteral("Keyed");
    EXPECT_EQ(session->CurCurveName, c.acceptsPick ? picked : IecDin);
    EXPECT_EQ(rowOf("Keyed") >= 0, c.acceptsPick && !c.onGrid);
    EXPECT_FALSE(find<QFrame>("Panel2")->isAncestorOf(QApplication::focusWidget()));
}

INSTANTIATE_TEST_SUITE_P(Curve, CurveKeyTest, ::testing::ValuesIn(KeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurveCommandsTest, SavedCurvesSurviveARestart) {
    create();
    trigger("CmdCurveNew");
    clickGraph(XOfBand(8), YOfDepth(9));
    trigger("CmdCurveSave");
    typeName(QString::fromUtf8("Джаз"));
    pressOk();
    const auto saved = stored(QString::fromUtf8("Джаз"));
    clickPreset(2);
    trigger("CmdCurveDelete");
    pressOk();
    closeMain();
    destroy();
    create();
    EXPECT_EQ(records(), 5);
    EXPECT_EQ(stored(QString::fromUtf8("Джаз")), saved);
    EXPECT_EQ(rowOf(Rock), -1);
    EXPECT_EQ(rowOf(SettingsRecordName), -1);
}

}  // namespace
}  // namespace ampora::ui::testing
