#pragma once
// The words of the power-handling window and its report page, and the curve
// of the maximum SPL over the crossover points that both draw.

#include <QString>
#include <QWidget>
#include <array>

#include "calc/PowerHandling.h"
#include "kit/PictureExport.h"

class QPainter;
class QRectF;

namespace ampora::ui {

// The words of the window, the report and the plot in one language.
struct PowerHandlingTexts {
    QString title, receives, rating, kind, inDriver, iec, iecCut, permissible, load, headroom,
        limitMark, limiting, maxAmp, maxSpl, noRatings, pads, ohm, now, atMax, suggested, notePeaks,
        noteNow, crest, sine, target, targetAmp, within, beyond, moves, thisDesign, stopped;
    std::array<QString, DriverCount> drivers;
    static PowerHandlingTexts For(int language);
    QString sinkName(Sink s) const;  // "Tweeter Rs"
};

// Where the design on screen stands on the curve.
struct LimitMark {
    bool valid = false;
    int32_t freqHz = 0;  // the tweeter's cut frequency
    double splDb = 0;    // its maximum SPL
};

// The maximum SPL over the crossover points, each point in the colour of
// the driver that limits there, the design marked. Used by the window and by
// the report.
void PaintLimitCurve(QPainter& p, const QRectF& area, const LimitCurve& curve,
                     const LimitMark& mark, const PowerHandlingTexts& t, char decimalSep);

class LimitPlot : public QWidget {
public:
    explicit LimitPlot(QWidget* parent);
    void setData(const LimitCurve& curve, const LimitMark& mark, const PowerHandlingTexts& t);
    const LimitCurve& curve() const { return curve_; }
    Picture picture() const;  // what the plot shows
    QSize sizeHint() const override { return {640, 200}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    LimitCurve curve_;
    LimitMark mark_;
    PowerHandlingTexts texts_;
};

}  // namespace ampora::ui
