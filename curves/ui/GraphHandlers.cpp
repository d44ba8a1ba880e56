// The spectrum graph: drawing, the pointer readout, editing by clicks, the
// popup menu and printing of the window.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>
#include <cmath>

#include "kit/Controls.h"
#include "app/ui/MainWindow.h"
#include "kit/Widgets.h"
#include "curves/CurveStore.h"
#include "curves/ui/GraphImage.h"

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

void TF_Main::DrawGrid() {
    int marker = 5;
    for (int i = 0; i < 5; ++i)
        if (CurCurveName == QString::fromUtf8(PresetCurveNames[size_t(i)])) marker = i;
    for (int i = 0; i < 6; ++i) Shp[size_t(i)]->setVisible(i == marker);

    QImage& img = Image1->image();
    const int W = img.width(), H = img.height();
    img.fill(Qt::white);
    const int frameRight = Round(W - GraphRight), frameBottom = Round(H - GraphBottom);
    Rectangle(img, Round(GraphLeft), Round(GraphTop), frameRight, frameBottom, QColor(Silver),
              Qt::white);
    for (int i = 1; i <= 5; ++i)
        HLine(img, Round(i * GraphStep10dB + GraphTop - 15), Round(GraphLeft), frameRight, Silver);
    const int base = Round(H - GraphBottom - 22);
    const QColor fill = ColorFromInt(CurveColor);
    for (size_t i = 0; i < 31; ++i) {
        VLine(img, BandX[i], Round(GraphTop), frameBottom, Silver);
        if (BandLevel[i] < 0) {
            BandWeight[i] = 0.0;
            continue;
        }
        const int top = Round(base - ((42 - BandDepth[i]) * 3.6 - 4));
        const int left = BandX[i] - BarWidth / 2;
        Rectangle(img, left, top, left + BarWidth, base, QColor(Silver), fill);
        BandWeight[i] = 0.2 * std::pow(10.0, BandLevel[i] / 40.0);
    }
    Image1->update();
}

void TF_Main::Image1MouseMove(int x, int y) {
    MouseX = x;
    MouseY = y;
    if (!InActiveArea(x, y)) {
        Label21->setText(QStringLiteral("="));
        Label22->setText(QStringLiteral("="));
        Label21->adjustSize();
        Label22->adjustSize();
        return;
    }
    HoverBand = Round((x - GraphLeft) / GraphStepX) - 1;
    HoverDepth = Round((y - GraphTop) / GraphStep10dB * 10) - 6;
    HoverLevel = -HoverDepth;
    HoverFreq = Round(20 * std::pow(2.0, HoverBand / 3.0));
    Label21->setText(QStringLiteral("= %1 dB").arg(HoverLevel));
    Label22->setText(QStringLiteral("= %1 Hz").arg(HoverFreq));
    Label21->adjustSize();
    Label22->adjustSize();
}

void TF_Main::Image1Click() {
    if (!InActiveArea(MouseX, MouseY)) return;
    BandDepth[size_t(HoverBand)] = HoverDepth;
    BandLevel[size_t(HoverBand)] = 40 - HoverDepth;
    DrawGrid();
}

void TF_Main::Image1MouseUp(Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) return;
    lastPopupPos_ = QPoint(x + 120, y + 140);
    PopupMenu1->popup(lastPopupPos_);
}

void TF_Main::Image6Click() {
    // On paper the filter lists show as plain boxes with the same text.
    const int order[] = {5, 7, 1, 3, 2, 4, 6, 8};
    for (int i = 0; i < 8; ++i) edit(20 + i)->setText(combo(order[i])->currentText());
    struct Restore {
        TF_Main* w;
        ~Restore() {
            w->GroupBox4->show();
            for (QComboBox* c : w->combos_) c->show();
        }
    } restore{this};
    GroupBox4->hide();
    for (QComboBox* c : combos_) c->hide();
    PrintWindow(this);  // a failed print is not reported
    activateWindow();   // back from the modal print dialog
}

}  // namespace ampora::ui
