#pragma once
// Window tests of the graph and the curve commands: the real controls are
// driven with the mouse and the keyboard, the curve table is read back
// without moving its cursor.

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <optional>
#include <string>
#include <vector>

#include "curves/CurveStore.h"
#include "curves/ui/GraphImage.h"
#include "kit/Widgets.h"
#include "store/Table.h"
#include "tests/app/ui/Fixture.h"

namespace ampora::ui::testing {

inline constexpr QRgb SilverRgb = 0xC0C0C0;
inline constexpr QRgb WhiteRgb = 0xFFFFFF;

// A curve for a prepared curve file; a missing level is a null field.
struct StoredCurve {
    std::string name;
    std::vector<std::optional<int32_t>> levels;  // 31 bands
};

inline std::vector<std::optional<int32_t>> Flat(int32_t level) {
    return std::vector<std::optional<int32_t>>(31, level);
}

class CurveWindowTest : public WindowTest {
public:  // table rows drive the window through these
    // Writes Curves.cds into the program folder before the windows exist.
    void writeCurveFile(const std::vector<StoredCurve>& curves) {
        auto table = MakeCurveTable();
        table->createEmpty();
        for (const StoredCurve& c : curves) {
            table->insert();
            table->setField(0, c.name);
            for (int k = 0; k < 31; ++k) {
                if (c.levels[size_t(k)])
                    table->setField(k + 1, *c.levels[size_t(k)]);
                else
                    table->setNull(k + 1);
            }
            table->post();
        }
        table->saveToFile((folder + QString::fromUtf8(CurvesFileName)).toStdString());
    }

    // --- the graph -----------------------------------------------------------
    // The pointer is moved through the platform cursor, which reports nothing
    // when it already stands there (it outlives the windows of earlier tests).
    void hover(int x, int y) {
        if (QCursor::pos() == find<GraphImage>("Image1")->mapToGlobal(QPoint(x, y)))
            QTest::mouseMove(find<GraphImage>("Image1"), QPoint(x + 1, y));
        QTest::mouseMove(find<GraphImage>("Image1"), QPoint(x, y));
    }
    // A click carries no position of its own: the pointer is moved there first.
    void clickGraph(int x, int y) {
        hover(x, y);
        QTest::mouseClick(find<GraphImage>("Image1"), Qt::LeftButton, {}, QPoint(x, y));
    }
    QRgb pixel(int x, int y) const { return curves->graphImage().pixel(x, y) & 0xFFFFFF; }
    QRgb barRgb() const { return ColorFromInt(curves->curveColor()).rgb() & 0xFFFFFF; }
    // The one marker shown, 0-based (Shp1 = 0); -1 when none or several are.
    int shownMarker() const {
        int shown = -1;
        for (int i = 0; i < 6; ++i) {
            if (find(QStringLiteral("Shp%1").arg(i + 1).toUtf8().constData())->isHidden()) continue;
            if (shown != -1) return -1;
            shown = i;
        }
        return shown;
    }
    int countPixels(QRgb rgb) const {
        const QImage& img = curves->graphImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) == rgb) ++n;
        return n;
    }

    // --- commands and the picker ----------------------------------------------
    void trigger(const char* item) { main->MenuItems.value(QString::fromUtf8(item))->trigger(); }
    // Label29, Label30, Label32..Label35 from the top.
    QLabel* preset(int i) const {
        static const char* names[] = {"Label29", "Label30", "Label32",
                                      "Label33", "Label34", "Label35"};
        return label(names[i]);
    }
    void clickPreset(int i) { QTest::mouseClick(preset(i), Qt::LeftButton); }
    void pressOk() { QTest::mouseClick(button("ButCurveOK"), Qt::LeftButton); }
    void pressCancel() { QTest::mouseClick(button("ButCancel"), Qt::LeftButton); }
    // The picker is in front when it, not the graph, is under a point of the graph.
    bool pickerShown() const {
        QWidget* w = main->centralWidget()->childAt(QPoint(300, 100));
        return w && (w == find<QFrame>("Panel2") || find<QFrame>("Panel2")->isAncestorOf(w));
    }
    bool languageMenuEnabled() const { return menuItem("MenuLanguage")->isEnabled(); }
    void typeName(const QString& name) {
        box(2)->clear();
        // Character by character as typed; Cyrillic has no key code of its own.
        for (const QChar ch : name)
            QTest::sendKeyEvent(QTest::Click, box(2), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    void clickGridRow(const QString& name) {
        const int row = rowOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QModelIndex index = find<QTableView>("DBGrid1")->model()->index(row, 0);
        find<QTableView>("DBGrid1")->scrollTo(index);
        QTest::mouseClick(find<QTableView>("DBGrid1")->viewport(), Qt::LeftButton, {},
                          find<QTableView>("DBGrid1")->visualRect(index).center());
    }

    // --- the curve table, read without moving its cursor -----------------------
    int records() const { return (&session->curveTable())->recordCount(); }
    int rowOf(const QString& name) const {
        const ampora::Table& t = *(&session->curveTable());
        for (int r = 0; r < t.recordCount(); ++r)
            if (t.cellAt(r, 0).text && *t.cellAt(r, 0).text == name.toStdString()) return r;
        return -1;
    }
    int countNamed(const QString& name) const {
        const ampora::Table& t = *(&session->curveTable());
        int n = 0;
        for (int r = 0; r < t.recordCount(); ++r)
            if (t.cellAt(r, 0).text && *t.cellAt(r, 0).text == name.toStdString()) ++n;
        return n;
    }
    // The stored levels of a record; a null field reads as nullopt.
    std::vector<std::optional<int32_t>> stored(const QString& name) const {
        std::vector<std::optional<int32_t>> out;
        const int row = rowOf(name);
        if (row < 0) return out;
        for (int k = 1; k <= 31; ++k)
            out.push_back((&session->curveTable())->cellAt(row, k).number);
        return out;
    }
    std::vector<std::optional<int32_t>> builtIn(const char* name) const {
        for (const BuiltInCurve& c : BuiltInCurves)
            if (std::string(c.name) == name) return {c.levels.begin(), c.levels.end()};
        return {};
    }
    // The levels the graph holds, as the loaders derive them from a record.
    std::vector<std::optional<int32_t>> shownLevels() const {
        std::vector<std::optional<int32_t>> out;
        for (int32_t l : session->BandLevel) out.push_back(l - 40);
        return out;
    }
    QString cursorName() const {
        return QString::fromStdString((&session->curveTable())->fieldText(0));
    }
};

// Pointer positions that hit a band at a depth (the inverse of the readout).
inline int XOfBand(int band) { return 48 + 18 * band; }
inline int YOfDepth(int depth) { return int(15 + (depth + 6) * 3.6 + 0.5); }

}  // namespace ampora::ui::testing
