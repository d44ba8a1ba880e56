// The spectrum graph as drawn into its image, the pointer readout, editing by
// clicks, the preset markers, the popup and printing.

#include <QComboBox>
#include <cmath>

#include "tests/curves/ui/CurveWindowTest.h"

namespace ampora::ui::testing {
namespace {

using GraphTest = CurveWindowTest;

// Bars on even bands with no level between them, so every bar edge borders
// white; the first record in name order is opened at start-up.
struct BarCase {
    int band;
    int32_t stored;
    int top;  // first row of the bar, -1 for no bar
};
const BarCase BarCases[] = {
    {0, 0, 35},    {2, -10, 71},      {4, -20, 107}, {6, -30, 143},
    {8, -40, 179}, {10, NoLevel, -1}, {12, -3, 46},
};

TEST_F(GraphTest, BarsSpanFromTheirLevelDownToTheBase) {
    auto levels = Flat(NoLevel);
    for (const BarCase& c : BarCases) levels[size_t(c.band)] = c.stored;
    writeCurveFile({{"Probe", levels}});
    create();
    ASSERT_EQ(session->CurCurveName, "Probe");
    for (const BarCase& c : BarCases) {
        SCOPED_TRACE(::testing::Message() << "band " << c.band << " at " << c.stored);
        const int x = XOfBand(c.band);
        if (c.top < 0) {
            EXPECT_EQ(session->BandLevel[size_t(c.band)], -60);
            for (int y = 20; y < 200; ++y) {
                if (y % 36 != 0) {
                    EXPECT_EQ(pixel(x - 5, y), WhiteRgb) << y;
                }
            }
            continue;
        }
        EXPECT_EQ(pixel(x - 5, c.top - 1), WhiteRgb);
        EXPECT_EQ(pixel(x - 5, c.top), SilverRgb);  // outline
        for (int y = c.top + 1; y <= 180; ++y) EXPECT_EQ(pixel(x - 5, y), barRgb()) << y;
        EXPECT_EQ(pixel(x - 5, 181), SilverRgb);  // last row: the outline
        EXPECT_EQ(pixel(x - 5, 182), WhiteRgb);   // the base itself stays unpainted
        // 18 pixels wide, left = BandX - 9, the right edge not painted.
        EXPECT_EQ(pixel(x - 10, 181), WhiteRgb);
        EXPECT_EQ(pixel(x - 9, 181), SilverRgb);
        EXPECT_EQ(pixel(x + 8, 181), SilverRgb);
        EXPECT_EQ(pixel(x + 9, 181), WhiteRgb);
        // Drawn over the band line.
        EXPECT_EQ(pixel(x, c.top + 1), barRgb());
    }
}

TEST_F(GraphTest, FrameGridAndBandLinesAreSilverOnWhite) {
    writeCurveFile({{"Empty", Flat(NoLevel)}});
    create();
    struct Px {
        const char* what;
        int x, y;
        QRgb rgb;
    };
    const Px cases[] = {
        {"outside the frame", 10, 10, WhiteRgb},   {"frame left", 30, 100, SilverRgb},
        {"frame top", 100, 15, SilverRgb},         {"frame right", 606, 100, SilverRgb},
        {"past frame right", 607, 100, WhiteRgb},  {"frame bottom", 100, 203, SilverRgb},
        {"past frame bottom", 100, 204, WhiteRgb}, {"0 dB line", 40, 36, SilverRgb},
        {"-10 dB line", 40, 72, SilverRgb},        {"-20 dB line", 40, 108, SilverRgb},
        {"-30 dB line", 40, 144, SilverRgb},       {"-40 dB line", 40, 180, SilverRgb},
        {"between lines", 40, 90, WhiteRgb},       {"band 0 line", 48, 20, SilverRgb},
        {"band 30 line", 588, 200, SilverRgb},     {"beside band line", 49, 20, WhiteRgb},
    };
    for (const Px& c : cases) EXPECT_EQ(pixel(c.x, c.y), c.rgb) << c.what;
    EXPECT_EQ(countPixels(barRgb()), 0);
}

TEST_F(GraphTest, NewShowsOnlyTheGrid) {
    create();
    ASSERT_GT(countPixels(barRgb()), 0);
    trigger("CmdCurveNew");
    EXPECT_EQ(countPixels(barRgb()), 0);
    for (int i = 0; i < 31; ++i) EXPECT_EQ(session->BandLevel[size_t(i)], -41) << i;
    EXPECT_EQ(shownMarker(), 5);
    EXPECT_EQ(pixel(XOfBand(3), 100), SilverRgb);  // band lines stay
}

struct HoverCase {
    const char* name;
    int x, y;
    int band, depth;  // band -1: outside the active area
    const char* level;
    const char* freq;
};
const HoverCase HoverCases[] = {
    {"LeftEdge", 41, 100, 0, 18, "= -18 dB", "= 20 Hz"},
    {"HalfGoesToEvenBand", 57, 100, 1, 18, "= -18 dB", "= 25 Hz"},
    {"OtherHalfToo", 75, 100, 1, 18, "= -18 dB", "= 25 Hz"},
    {"RightEdge", 596, 100, 30, 18, "= -18 dB", "= 20480 Hz"},
    {"TopEdge", 318, 35, 15, 0, "= 0 dB", "= 640 Hz"},
    {"OneBelowTop", 318, 39, 15, 1, "= -1 dB", "= 640 Hz"},
    {"HalfGoesToEvenDepth", 318, 60, 15, 6, "= -6 dB", "= 640 Hz"},
    {"BottomEdge", 318, 182, 15, 40, "= -40 dB", "= 640 Hz"},
    {"Readout", 354, 80, 17, 12, "= -12 dB", "= 1016 Hz"},
    {"LeftOfArea", 40, 100, -1, 0, "=", "="},
    {"RightOfArea", 597, 100, -1, 0, "=", "="},
    {"AboveArea", 300, 34, -1, 0, "=", "="},
    {"BelowArea", 300, 183, -1, 0, "=", "="},
};

class GraphHoverTest : public GraphTest, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(GraphHoverTest, ReadoutAndClickAgree) {
    const HoverCase& c = GetParam();
    create();
    trigger("CmdCurveNew");
    hover(c.x, c.y);
    EXPECT_EQ(label("Label21")->text(), QString::fromUtf8(c.level));
    EXPECT_EQ(label("Label22")->text(), QString::fromUtf8(c.freq));
    const auto levelsBefore = session->BandLevel;
    QTest::mouseClick(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(c.x, c.y));
    if (c.band < 0) {
        EXPECT_EQ(session->BandLevel, levelsBefore);
        return;
    }
    auto expected = levelsBefore;
    expected[size_t(c.band)] = 40 - c.depth;
    EXPECT_EQ(session->BandLevel, expected);
    EXPECT_EQ(curves->bandDepth()[size_t(c.band)], c.depth);
    // The click redrew the graph: the new bar's top row is its outline.
    const int top = int(std::nearbyint(34.8 + 3.6 * c.depth));
    EXPECT_EQ(pixel(XOfBand(c.band) - 5, top), SilverRgb);
    EXPECT_EQ(pixel(XOfBand(c.band) - 5, top - 1), WhiteRgb);
    // Editing touches neither the current curve nor the mode.
    EXPECT_EQ(session->CurveMode, ModeNew);
    EXPECT_TRUE(session->CurCurveName.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Graph, GraphHoverTest, ::testing::ValuesIn(HoverCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GraphTest, ClickAfterLeavingTheAreaChangesNothing) {
    create();
    const auto levels = session->BandLevel;
    hover(300, 100);
    hover(300, 190);  // still over the image, below the active area
    QTest::mouseClick(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(300, 190));
    EXPECT_EQ(session->BandLevel, levels);
    // A drag sets nothing either: only the release of a click does.
    hover(300, 100);
    QTest::mousePress(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(300, 100));
    QTest::mouseMove(find<GraphImage>("Image1"), QPoint(320, 60));
    EXPECT_EQ(session->BandLevel, levels);
    QTest::mouseRelease(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(320, 60));
}

struct MarkerCase {
    int label;  // preset label clicked: Label29, Label30, Label32..Label34
    const char* curve;
};
const MarkerCase MarkerCases[] = {
    {0, "IEC/DIN"}, {1, "Классика"}, {2, "Рок"}, {3, "Шум белый"}, {4, "Шум розовый"}};

TEST_F(GraphTest, PresetLabelsOpenTheirCurveAndMarkIt) {
    create();
    for (const MarkerCase& c : MarkerCases) {
        SCOPED_TRACE(c.curve);
        clickPreset(c.label);
        EXPECT_EQ(session->CurCurveName, QString::fromUtf8(c.curve));
        EXPECT_EQ(shownMarker(), c.label);
        EXPECT_EQ(shownLevels(), builtIn(c.curve));
        EXPECT_EQ(label("Label24")->text(),
                  QStringLiteral("( %1 )").arg(QString::fromUtf8(c.curve)));
    }
    // In English the captions change, the records opened do not.
    loadMenu("Eng");
    EXPECT_EQ(preset(2)->text(), "Rock");
    clickPreset(2);
    EXPECT_EQ(session->CurCurveName, QString::fromUtf8("Рок"));
}

TEST_F(GraphTest, MarkerMovesToOtherWhenSavedUnderAnotherName) {
    create();
    clickPreset(2);
    ASSERT_EQ(shownMarker(), 2);
    trigger("CmdCurveSaveAs");
    typeName("Мой рок");
    pressOk();
    EXPECT_EQ(session->CurCurveName, QString::fromUtf8("Мой рок"));
    EXPECT_EQ(shownMarker(), 5);
    EXPECT_EQ(stored(QString::fromUtf8("Мой рок")), builtIn("Рок"));
}

TEST_F(GraphTest, ColourSquareRecoloursBarsOnly) {
    create();
    const int bars = countPixels(barRgb());
    ASSERT_GT(bars, 0);
    auto* square = find<QWidget>("Shape9");
    QTest::mouseClick(square, Qt::LeftButton);
    EXPECT_EQ(curves->curveColor(), 0x818101u);
    EXPECT_EQ(barRgb(), 0x018181u);
    EXPECT_EQ(countPixels(barRgb()), bars);
    EXPECT_EQ(pixel(XOfBand(15) - 5, 100), barRgb());
}

// The popup opens at the release's image coordinates plus (120, 140), read as
// a screen point wherever the window stands: (200, 100) gives (320, 240).
TEST_F(GraphTest, RightReleaseOpensThePopupAtTheImagePointShifted) {
    create();
    const QPoint before = main->lastPopupPos();
    QTest::mouseClick(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseClick(find<GraphImage>("Image1"), Qt::MiddleButton, {}, QPoint(200, 100));
    EXPECT_EQ(main->lastPopupPos(), before);
    EXPECT_FALSE(main->findChild<QMenu*>("PopupMenu1")->isVisible());

    QTest::mouseClick(find<GraphImage>("Image1"), Qt::RightButton, {}, QPoint(200, 100));
    EXPECT_EQ(main->lastPopupPos(), QPoint(320, 240));
    EXPECT_TRUE(main->findChild<QMenu*>("PopupMenu1")->isVisible());
    main->findChild<QMenu*>("PopupMenu1")->close();
    // Its items run the curve commands.
    main->MenuItems.value("PopUpCurveNew")->trigger();
    EXPECT_EQ(session->CurveMode, ModeNew);
}

class GraphPrintTest : public GraphTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GraphPrintTest, PrintShowsPlainCopiesOfTheFilterBoxes) {
    const bool confirmed = GetParam();
    create();
    QComboBox* bassType = find<QComboBox>("ComboBox5");
    SetItemIndex(bassType, 2);  // Butterworth
    const int comboOfEdit[] = {5, 7, 1, 3, 2, 4, 6, 8};
    std::vector<bool> hiddenDuringPrint;
    userDialogs.onPrint = [&](QWidget* window) {
        ++prints;
        EXPECT_EQ(window, main.get());
        hiddenDuringPrint.push_back(group("GroupBox4")->isHidden());
        for (int no = 1; no <= 8; ++no)
            hiddenDuringPrint.push_back(
                find<QComboBox>(QStringLiteral("ComboBox%1").arg(no).toUtf8().constData())
                    ->isHidden());
        return confirmed;
    };
    QTest::mouseClick(find<PictureBox>("Image6"), Qt::LeftButton);
    ASSERT_EQ(prints, 1);
    EXPECT_EQ(hiddenDuringPrint, std::vector<bool>(9, true));
    for (int i = 0; i < 8; ++i) {
        auto* c =
            find<QComboBox>(QStringLiteral("ComboBox%1").arg(comboOfEdit[i]).toUtf8().constData());
        EXPECT_EQ(box(20 + i)->text(), c->currentText()) << "Edit" << 20 + i;
        EXPECT_FALSE(c->isHidden());
    }
    EXPECT_EQ(box(20)->text(), "Butterworth");
    EXPECT_FALSE(group("GroupBox4")->isHidden());
    EXPECT_TRUE(messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Graph, GraphPrintTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Confirmed" : "Cancelled"; });

}  // namespace
}  // namespace ampora::ui::testing
