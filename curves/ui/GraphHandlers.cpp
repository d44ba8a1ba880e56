// The spectrum graph: drawing, the pointer readout, editing by clicks, the
// popup menu and printing of the window.

#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "curves/CurveStore.h"
#include "curves/ui/CurvePanel.h"
#include "curves/ui/GraphImage.h"
#include "kit/Controls.h"
#include "kit/Widgets.h"
#include "session/Session.h"

namespace ampora::ui {

namespace {

constexpr int BarWidth = 18;
constexpr QRgb Silver = 0xC0C0C0;

// Rectangles and lines as the graph's coordinates mean them: the right and
// bottom edges (and a line's end point) are not painted. Everything is an
// opaque axis-aligned fill, so it goes straight into the scan lines: the same
// pixels a painter would give, without a painter per bar or a call per pixel.
void Fill(QImage& img, int x1, int y1, int x2, int y2, QRgb c) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, img.width());
    y2 = std::min(y2, img.height());
    if (x2 <= x1 || y2 <= y1) return;
    const QRgb opaque = 0xFF000000u | c;
    for (int y = y1; y < y2; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line + x1, line + x2, opaque);
    }
}
void Rectangle(QImage& img, int x1, int y1, int x2, int y2, QColor pen, QColor brush) {
    if (x2 <= x1 || y2 <= y1) return;
    Fill(img, x1, y1, x2, y2, pen.rgb());
    if (x2 - x1 > 2 && y2 - y1 > 2) Fill(img, x1 + 1, y1 + 1, x2 - 1, y2 - 1, brush.rgb());
}
void HLine(QImage& img, int y, int x1, int x2, QRgb c) { Fill(img, x1, y, x2, y + 1, c); }
void VLine(QImage& img, int x, int y1, int y2, QRgb c) { Fill(img, x, y1, x + 1, y2, c); }
int Round(double v) { return int(std::nearbyint(v)); }
bool InActiveArea(int x, int y) { return x >= 41 && x <= 596 && y >= 35 && y <= 182; }

}  // namespace

const QImage& CurvePanel::graphImage() const { return graph_->image(); }

QWidget* CurvePanel::graphPanel() const { return graph_->parentWidget(); }

void CurvePanel::DrawGrid() {
    int marker = 5;
    for (int i = 0; i < 5; ++i)
        if (session_.CurCurveName == QString::fromUtf8(PresetCurveNames[size_t(i)])) marker = i;
    for (int i = 0; i < 6; ++i) markers_[size_t(i)]->setVisible(i == marker);

    QImage& img = graph_->image();
    const int W = img.width(), H = img.height();
    img.fill(Qt::white);
    const int frameRight = Round(W - GraphRight), frameBottom = Round(H - GraphBottom);
    Rectangle(img, Round(GraphLeft), Round(GraphTop), frameRight, frameBottom, QColor(Silver),
              Qt::white);
    for (int i = 1; i <= 5; ++i)
        HLine(img, Round(i * GraphStep10dB + GraphTop - 15), Round(GraphLeft), frameRight, Silver);
    const int base = Round(H - GraphBottom - 22);
    const QColor fill = ColorFromInt(curveColor_);
    const auto& level = session_.BandLevel;
    for (size_t i = 0; i < 31; ++i) {
        VLine(img, bandX_[i], Round(GraphTop), frameBottom, Silver);
        if (level[i] < 0) continue;
        const int top = Round(base - ((42 - bandDepth_[i]) * 3.6 - 4));
        const int left = bandX_[i] - BarWidth / 2;
        Rectangle(img, left, top, left + BarWidth, base, QColor(Silver), fill);
    }
    graph_->update();
    session_.curveChanged();
}

void CurvePanel::Image1MouseMove(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
    if (!InActiveArea(x, y)) {
        levelReadout_->setText(QStringLiteral("="));
        freqReadout_->setText(QStringLiteral("="));
        levelReadout_->adjustSize();
        freqReadout_->adjustSize();
        return;
    }
    hoverBand_ = Round((x - GraphLeft) / GraphStepX) - 1;
    hoverDepth_ = Round((y - GraphTop) / GraphStep10dB * 10) - 6;
    const int level = -hoverDepth_;
    const int freq = Round(20 * std::pow(2.0, hoverBand_ / 3.0));
    levelReadout_->setText(QStringLiteral("= %1 dB").arg(level));
    freqReadout_->setText(QStringLiteral("= %1 Hz").arg(freq));
    levelReadout_->adjustSize();
    freqReadout_->adjustSize();
}

void CurvePanel::Image1Click() {
    if (!InActiveArea(mouseX_, mouseY_)) return;
    bandDepth_[size_t(hoverBand_)] = hoverDepth_;
    session_.BandLevel[size_t(hoverBand_)] = 40 - hoverDepth_;
    edited_ = true;
    DrawGrid();
}

void CurvePanel::Image1MouseUp(Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) return;
    emit popupMenuRequested(QPoint(x + 120, y + 140));
}

void CurvePanel::Image6Click() {
    // On paper the filter lists show as plain boxes with the same text.
    session_.setPrinting(true);
    struct Restore {
        CurvePanel* panel;
        ~Restore() {
            panel->printerBox_->show();
            panel->session_.setPrinting(false);
        }
    } restore{this};
    printerBox_->hide();
    PrintWindow(window());       // a failed print is not reported
    window()->activateWindow();  // back from the modal print dialog
}

void CurvePanel::showImportedCurve(const QString& name, const std::array<int32_t, 31>& levelsDb) {
    setBandsFromLevels(levelsDb);
    if (session_.CurveMode != ModeIdle && session_.CurveMode != ModeNew)
        ButSelectCurveCancelClick();
    session_.CurCurveRecNo = -1;
    session_.CurCurveName = name;
    session_.CurveMode = ModeNew;
    edited_ = true;
    showCurveName();
    DrawGrid();
    session_.clearResultsAndCalculate();
}

void CurvePanel::setBandsFromLevels(const std::array<int32_t, 31>& levelsDb) {
    for (size_t i = 0; i < 31; ++i) {
        session_.BandLevel[i] = 40 + levelsDb[i];
        bandDepth_[i] = 40 - session_.BandLevel[i];
    }
}

}  // namespace ampora::ui
