// Service → "Power per band", beside the real main window.

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>

#include "calc/ui/BandBreakdownWindow.h"
#include "tests/calc/ui/WorkedExampleFixture.h"

namespace ampora::ui::testing {
namespace {

struct PaintCount : QObject {
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++n;
        return false;
    }
    int n = 0;
};

class BandBreakdownWindowTest : public WorkedExampleTest {
protected:
    BandBreakdownWindow* open() {
        command("CmdPowerPerBand")->trigger();
        BandBreakdownWindow* w = FindBandBreakdown(*main);
        EXPECT_NE(w, nullptr);
        if (w) {
            EXPECT_TRUE(w->isVisible());
        }
        return w;
    }
    // Back to the main window, which recalculates on activation.
    void backToMain() {
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    static QStringList Row(const QTableWidget* t, int row) {
        QStringList out;
        for (int c = 0; c < t->columnCount(); ++c)
            out << (t->item(row, c) ? t->item(row, c)->text() : "");
        return out;
    }
    static QStringList Headers(const QTableWidget* t) {
        QStringList out;
        for (int c = 0; c < t->columnCount(); ++c) out << t->horizontalHeaderItem(c)->text();
        return out;
    }
    // The totals row without its share columns ("100").
    static QStringList TotalPowers(const QTableWidget* t) {
        QStringList out;
        const QStringList headers = Headers(t);
        const QStringList row = Row(t, 31);
        for (int c = 2; c < t->columnCount(); ++c)
            if (headers[c].endsWith(", W")) out << row[c];
        return out;
    }
};

TEST_F(BandBreakdownWindowTest, TotalsAreTheMainWindowsNumbersForTheWorkedExamples) {
    const QStringList expected[] = {{"40.3", "20.6", "10.8", "6.5", "5.3", "10.2", "6.3"},
                                    {"58.7", "14.3", "7.5"},
                                    {"54.5", "18", "16.9", "10.5"}};
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    for (int example = 0; example < 3; ++example) {
        SCOPED_TRACE(example);
        backToMain();
        workedExample(example);
        ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
        EXPECT_EQ(TotalPowers(w->table()), windowTotals());
        EXPECT_EQ(TotalPowers(w->table()).mid(0, expected[example].size()), expected[example]);
        EXPECT_EQ(w->table()->rowCount(), 32);
        EXPECT_EQ(Row(w->table(), 31)[0], "Total");
        EXPECT_TRUE(w->stopLine()->isHidden());
    }
    // The two-way has no midrange columns.
    EXPECT_EQ(Headers(w->table()),
              QStringList({"Frequency, Hz", "Programme, dB", "Bass, W", "Bass, %", "Tweeter, W",
                           "Tweeter, %", "Tweeter Rs 3 Ω, W", "Tweeter Rp 13.7 Ω, W"}));
    EXPECT_EQ(Row(w->table(), 0).mid(0, 2), QStringList({"20", "0"}));
    EXPECT_EQ(Row(w->table(), 30)[0], "20480");
}

TEST_F(BandBreakdownWindowTest, OpenedLaterShowsTheLastCalculation) {
    workedExample(0);
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(TotalPowers(w->table()), windowTotals());
    // Non-modal: the main window takes the activation back and goes on.
    backToMain();
    type(9, "50");
    calc();
    EXPECT_EQ(TotalPowers(w->table())[0], box(7)->text());
    EXPECT_NE(box(7)->text(), "40.3");
}

// A recalculation changes the texts of the cells it has; a closed window
// waits and shows the last calculation when it is opened again.
TEST_F(BandBreakdownWindowTest, CellsChangeInPlaceAndOnlyWhileShown) {
    workedExample(0);
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    backToMain();
    const QTableWidgetItem* cell = w->table()->item(17, 2);
    ASSERT_NE(cell, nullptr);
    const QString before = cell->text();
    type(9, "50");
    QCoreApplication::processEvents();
    PaintCount table(w->table()->viewport()), plot(w->plot());
    calc();
    QCoreApplication::processEvents();
    EXPECT_EQ(table.n, 1);
    EXPECT_EQ(plot.n, 1);
    EXPECT_EQ(w->table()->item(17, 2), cell);
    EXPECT_NE(cell->text(), before);
    EXPECT_EQ(TotalPowers(w->table()), windowTotals());
    w->close();
    type(9, "70");
    calc();
    EXPECT_NE(TotalPowers(w->table()), windowTotals());
    open();
    EXPECT_EQ(TotalPowers(w->table()), windowTotals());
}

TEST_F(BandBreakdownWindowTest, AStopIsSaidInOneLineInsteadOfOldNumbers) {
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    backToMain();
    workedExample(0);
    ASSERT_FALSE(TotalPowers(w->table()).isEmpty());
    struct Row {
        int box;
        const char* text;
        const char* line;
    } rows[] = {{14, "80", "Calculation stopped: Sensitivity of tweeter is too low"},
                {12, "80", "Calculation stopped: Sensitivity of midrange is too low"},
                {9, "0", "Calculation stopped: Amplifier power must be greater than zero."}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        workedExample(0);
        type(row.box, row.text);
        messages.clear();
        calc();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_FALSE(w->stopLine()->isHidden());
        EXPECT_EQ(w->stopLine()->text(), row.line);
        EXPECT_TRUE(TotalPowers(w->table()).isEmpty());
        EXPECT_EQ(w->table()->columnCount(), 2);  // frequency and programme only
        backToMain();
    }
    workedExample(0);
    EXPECT_TRUE(w->stopLine()->isHidden());
    EXPECT_EQ(TotalPowers(w->table()), windowTotals());
}

TEST_F(BandBreakdownWindowTest, TextsFollowTheLanguage) {
    workedExample(0);
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    const struct {
        const char* lang;
        const char* title;
        QStringList first;
        const char* total;
    } rows[] = {
        {"Rus",
         "Мощность по полосам",
         {"Частота, Гц", "Программа, дБ", "НЧ, Вт", "НЧ, %"},
         "Всего"},
        {"Bel",
         "Магутнасць па палосах",
         {"Частата, Гц", "Праграма, дБ", "НЧ, Вт", "НЧ, %"},
         "Усяго"},
        {"Eng",
         "Power per band",
         {"Frequency, Hz", "Programme, dB", "Bass, W", "Bass, %"},
         "Total"},
    };
    for (const auto& row : rows) {
        loadMenu(row.lang);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(row.title));
        EXPECT_EQ(command("CmdPowerPerBand")->text(), QString::fromUtf8(row.title));
        EXPECT_EQ(Headers(w->table()).mid(0, 4), row.first);
        EXPECT_EQ(Row(w->table(), 31)[0], QString::fromUtf8(row.total));
        EXPECT_EQ(w->plot()->accessibleName(), QString::fromUtf8(row.title));
        EXPECT_EQ(w->table()->accessibleName(), QString::fromUtf8(row.title));
    }
}

TEST_F(BandBreakdownWindowTest, HoveringABandShowsItsNumbers) {
    workedExample(0);
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    w->resize(900, 700);
    QTest::qWait(0);
    BandPowerPlot* plot = w->plot();
    const QRectF area(plot->rect());
    // Band 17 (1016 Hz) sits in the 18th slot between the axes.
    int x = 0;
    while (x < plot->width() && BandAtX(area, x) != 17) ++x;
    ASSERT_LT(x, plot->width());
    const QPointF at(x + 3, plot->height() / 2);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    EXPECT_EQ(plot->hoverBand(), 17);
    const QString summary =
        BandSummary(MakeBandBreakdown(session->design(), Evaluate(session->design())),
                    BreakdownTexts::For(1, '.'), 17);
    EXPECT_TRUE(summary.startsWith("1016 Hz\nBass: ")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("\nMidrange: ")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("\nTweeter: ")) << summary.toStdString();
    // The same numbers as the table's row.
    const QStringList row = Row(w->table(), 17);
    EXPECT_TRUE(summary.contains("Midrange: " + row[4] + " W (" + row[5] + " %)"))
        << summary.toStdString();
    EXPECT_EQ(BandAtX(area, 0), -1);
    EXPECT_EQ(BandAtX(area, area.right()), -1);
}

TEST_F(BandBreakdownWindowTest, ResizableAndThePlotFollows) {
    workedExample(0);
    BandBreakdownWindow* w = open();
    ASSERT_NE(w, nullptr);
    w->resize(600, 500);
    QTest::qWait(0);
    const QSize small = w->plot()->size();
    w->resize(1100, 900);
    QTest::qWait(0);
    EXPECT_GT(w->plot()->width(), small.width());
    EXPECT_GT(w->plot()->height(), small.height());
    // Drawn bars: the plot's picture holds the three driver colours.
    const QImage img = w->plot()->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            const QColor c = img.pixelColor(x, y);
            if (c.saturation() > 120) ++coloured;
        }
    EXPECT_GT(coloured, 500);
}

}  // namespace
}  // namespace ampora::ui::testing
