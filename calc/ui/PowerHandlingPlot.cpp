#include "calc/ui/PowerHandlingPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "i18n/Language.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"
#include "kit/Controls.h"
#include "kit/Widgets.h"

namespace ampora::ui {

namespace {

// Bass, midrange, tweeter as the per-band plot colours them.
const QColor DriverColors[DriverCount] = {QColor(0x1F, 0x5F, 0xB4), QColor(0x2E, 0xA0, 0x4F),
                                          QColor(0xF0, 0x8A, 0x12)};
// Every third band of the curve's span, as the spectrum graph labels them.
const struct {
    int band;
    const char* text;
} FrequencyTicks[] = {{18, "1к2"}, {21, "2к5"}, {24, "5к"}, {27, "10к"}};

QString Num(double v, char sep) { return Q(FormatResult(v, sep)); }

}  // namespace

PowerHandlingTexts PowerHandlingTexts::For(int l) {
    PowerHandlingTexts t;
    const auto tr = [l](const LangTexts& texts) {
        return QString::fromUtf8(TextIn(texts, LanguageOfTextIndex(l)));
    };
    t.title = tr(CaptionPowerHandling);
    t.receives = tr(LabelReceivedW);
    t.rating = tr(LabelRatingW);
    t.kind = tr(LabelRatingKind);
    t.inDriver = tr(LabelKindInDriver);
    t.iec = tr(LabelKindIec);
    t.iecCut = tr(LabelIecCutHz);
    t.permissible = tr(LabelPermissibleW);
    t.load = tr(LabelLoadPct);
    t.headroom = tr(LabelHeadroomDb);
    t.limitMark = QStringLiteral("◄ ") + tr(LabelLimitingMark);
    t.limiting = tr(LabelLimitingDriver);
    t.maxAmp = tr(LabelMaxAmpW);
    t.maxSpl = tr(LabelMaxSplDb);
    t.noRatings = tr(LabelNoRatings);
    t.pads = tr(LabelPadResistors);
    t.ohm = tr(LabelOhm);
    t.now = tr(LabelNowW);
    t.atMax = tr(LabelAtMaxW);
    t.suggested = tr(LabelSuggestedW);
    t.notePeaks = tr(NoteResistorPeaks);
    t.noteNow = tr(NoteResistorNow);
    t.crest = tr(LabelCrestFactorDb);
    t.sine = tr(LabelAmpSineW);
    t.target = tr(LabelTargetSplDb);
    t.targetAmp = tr(LabelTargetAmpW);
    t.within = tr(LabelWithinMax);
    t.beyond = tr(LabelBeyondMax);
    t.moves = tr(LabelWhatMovesLimit);
    t.thisDesign = tr(LabelThisDesign);
    t.stopped = tr(LabelCalcStopped);
    t.drivers = {tr(LabelBass), tr(LabelMid), tr(LabelTweeter)};
    return t;
}

QString PowerHandlingTexts::sinkName(Sink s) const {
    switch (s) {
        case Sink::MidSeries: return drivers[Mid] + QStringLiteral(" Rs");
        case Sink::MidParallel: return drivers[Mid] + QStringLiteral(" Rp");
        case Sink::TweeterSeries: return drivers[Tweeter] + QStringLiteral(" Rs");
        case Sink::TweeterParallel: return drivers[Tweeter] + QStringLiteral(" Rp");
        default: return drivers[int(s)];
    }
}

void PaintLimitCurve(QPainter& p, const QRectF& area, const LimitCurve& curve,
                     const LimitMark& mark, const PowerHandlingTexts& t, char sep) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(area, Qt::white);
    const QFontMetricsF fm(p.font());
    const QColor grid(0xC0, 0xC0, 0xC0), ink(0x40, 0x40, 0x40);
    const QRectF plot =
        area.adjusted(fm.horizontalAdvance(QStringLiteral("000.0")) + 12, fm.height() + 10,
                      -fm.horizontalAdvance(QStringLiteral("Hz")) - 10, -fm.height() - 8);
    const double slot = plot.width() / LimitCurvePoints;
    // Third-octave steps from the first point: x of a frequency.
    const auto xOf = [&](double freqHz) {
        const double steps = 3.0 * std::log2(freqHz / BandGrid[LimitCurveFirstBand]);
        return plot.left() + (std::clamp(steps, -0.5, LimitCurvePoints - 0.5) + 0.5) * slot;
    };

    double low = INFINITY, high = -INFINITY;
    for (const LimitPoint& pt : curve.points)
        if (pt.limiting >= 0) {
            low = std::min(low, pt.maxSplDb);
            high = std::max(high, pt.maxSplDb);
        }
    if (mark.valid) {
        low = std::min(low, mark.splDb);
        high = std::max(high, mark.splDb);
    }
    const bool any = low <= high;
    if (!any) low = 0, high = 0;
    // A flat curve still gets a scale: a couple of dB around it.
    if (high - low < 2.0) {
        const double mid = (high + low) / 2.0;
        low = mid - 1.0;
        high = mid + 1.0;
    }
    const double step = NiceStep(high - low, 4.0);
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    const auto yOf = [&](double db) {
        return plot.bottom() - (db - low) / (high - low) * plot.height();
    };

    for (int i = 0; low + i * step <= high + step * 1e-9; ++i) {
        const double db = low + i * step;
        p.setPen(QPen(grid, 0));
        p.drawLine(QPointF(plot.left(), yOf(db)), QPointF(plot.right(), yOf(db)));
        p.setPen(ink);
        p.drawText(QRectF(area.left(), yOf(db) - fm.height() / 2, plot.left() - area.left() - 6,
                          fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, Q(FormatGeneral(db, sep)));
    }
    p.setPen(ink);
    p.drawText(QRectF(area.left(), area.top() + 2, plot.left() - area.left() - 6, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("dB"));
    for (const auto& tick : FrequencyTicks) {
        const double x = plot.left() + (tick.band - LimitCurveFirstBand + 0.5) * slot;
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
        p.drawText(QRectF(x - 30, plot.bottom() + 4, 60, fm.height()), Qt::AlignCenter,
                   QString::fromUtf8(tick.text));
    }
    p.drawText(
        QRectF(plot.right() + 4, plot.bottom() + 4, area.right() - plot.right() - 4, fm.height()),
        Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Hz"));
    p.setPen(QPen(grid, 0));
    p.drawRect(plot);

    // The curve through the points that have a limit, each point in the
    // colour of the driver that limits there.
    QPainterPath path;
    bool started = false;
    for (int i = 0; i < LimitCurvePoints; ++i) {
        const LimitPoint& pt = curve.points[size_t(i)];
        if (pt.limiting < 0) {
            started = false;
            continue;
        }
        const QPointF at(plot.left() + (i + 0.5) * slot, yOf(pt.maxSplDb));
        if (started)
            path.lineTo(at);
        else
            path.moveTo(at);
        started = true;
    }
    p.setPen(QPen(ink, 1.5));
    p.drawPath(path);
    bool used[DriverCount] = {};
    for (int i = 0; i < LimitCurvePoints; ++i) {
        const LimitPoint& pt = curve.points[size_t(i)];
        if (pt.limiting < 0) continue;
        used[pt.limiting] = true;
        p.setPen(Qt::NoPen);
        p.setBrush(DriverColors[pt.limiting]);
        p.drawEllipse(QPointF(plot.left() + (i + 0.5) * slot, yOf(pt.maxSplDb)), 4, 4);
    }
    if (mark.valid) {
        const QPointF at(xOf(mark.freqHz), yOf(mark.splDb));
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 7, 7);
        const QString label = t.thisDesign + QStringLiteral(": ") + QString::number(mark.freqHz) +
                              QStringLiteral(" Hz, ") + Num(mark.splDb, sep) +
                              QStringLiteral(" dB");
        const double w = fm.horizontalAdvance(label) + 4;
        // Beside the mark, on the side with room, above the curve.
        const double x = at.x() + 10 + w <= plot.right() ? at.x() + 10 : at.x() - 10 - w;
        const double y =
            at.y() - fm.height() - 6 >= plot.top() ? at.y() - fm.height() - 6 : at.y() + 6;
        const QRectF box(x, y, w, fm.height());
        p.fillRect(box.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 220));
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, label);
    }

    // Legend: the drivers that limit somewhere on the curve.
    double lx = plot.left();
    p.setPen(ink);
    for (int d = 0; d < DriverCount; ++d) {
        if (!used[d]) continue;
        p.setPen(Qt::NoPen);
        p.setBrush(DriverColors[d]);
        p.drawEllipse(QPointF(lx + 5, area.top() + 4 + fm.height() / 2), 4, 4);
        p.setPen(ink);
        const QString name = t.drivers[size_t(d)];
        p.drawText(QRectF(lx + 13, area.top() + 4, fm.horizontalAdvance(name) + 4, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
        lx += 13 + fm.horizontalAdvance(name) + 16;
    }
    p.restore();
}

LimitPlot::LimitPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LimitPlot"));
    setMinimumSize(360, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void LimitPlot::setData(const LimitCurve& curve, const LimitMark& mark,
                        const PowerHandlingTexts& t) {
    curve_ = curve;
    mark_ = mark;
    texts_ = t;
    update();
}

Picture LimitPlot::picture() const {
    const LimitCurve curve = curve_;
    const LimitMark mark = mark_;
    const PowerHandlingTexts texts = texts_;
    const QFont font = this->font();
    const QSize size = this->size();
    const char sep = DecimalSeparator();
    return {size,
            [curve, mark, texts, font, size, sep](QPainter& p) {
                p.setFont(font);
                PaintLimitCurve(p, QRectF(QPointF(), size), curve, mark, texts, sep);
            },
            texts.moves};
}

void LimitPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintLimitCurve(p, QRectF(rect()), curve_, mark_, texts_, DecimalSeparator());
}

}  // namespace ampora::ui
