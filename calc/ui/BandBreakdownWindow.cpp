#include "calc/ui/BandBreakdownWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "i18n/Messages.h"
#include "inputs/Numbers.h"
#include "kit/Controls.h"
#include "kit/Keyboard.h"
#include "kit/PictureExport.h"
#include "kit/TableCopy.h"
#include "kit/Widgets.h"
#include "session/Session.h"

namespace ampora::ui {

namespace {

// Bass, midrange, tweeter: three colours that stay apart in print and for
// the common colour-vision deficiencies.
const QColor DriverColors[DriverCount] = {QColor(0x1F, 0x5F, 0xB4), QColor(0x2E, 0xA0, 0x4F),
                                          QColor(0xF0, 0x8A, 0x12)};
// The spectrum graph's frequency scale, every third band.
const char* const FrequencyLabels[] = {"20",  "40",  "80", "160", "320", "640",
                                       "1к2", "2к5", "5к", "10к", "20к"};

QString Number(double v, int decimals, char sep) {
    const double scale = std::pow(10.0, decimals);
    return Q(FormatGeneral(RoundHalfEven(v * scale) / scale, sep));
}

struct PlotGeometry {
    QRectF bars;  // where the bars stand
    double slot;  // width of one band
};

PlotGeometry Geometry(const QRectF& area) {
    const QRectF bars = area.adjusted(56, 26, -26, -24);
    return {bars, bars.width() / BandCount};
}

// "Flat - Power per band": the design's file or the curve, then the plot.
QString PictureName(const Session& session) {
    QString name = session.designPath().isEmpty()
                       ? session.CurCurveName
                       : QFileInfo(session.designPath()).completeBaseName();
    const QString title = session.text(CaptionPowerPerBand);
    return name.isEmpty() ? title : name + QStringLiteral(" - ") + title;
}

PictureTexts PlotPictureTexts(const Session& session) {
    return {session.text(CaptionSavePicture), session.text(FilterPictureFiles),
            session.text(MsgFileWriteFailed), TextIndex(session.language())};
}

double DriversTotal(const BandBreakdownRow& r) {
    return r.powerW[size_t(Sink::Bass)] + r.powerW[size_t(Sink::Mid)] +
           r.powerW[size_t(Sink::Tweeter)];
}

}  // namespace

BreakdownTexts BreakdownTexts::For(int language, char decimalSep) {
    const size_t l = language >= 0 && language <= 2 ? size_t(language) : 0;
    BreakdownTexts t;
    t.title = Q(CaptionPowerPerBand[l]);
    t.frequency = Q(LabelBandFrequency[l]);
    t.level = Q(LabelProgrammeLevel[l]);
    t.watts = Q(LabelWatts[l]);
    t.total = Q(LabelTotal[l]);
    t.stopped = Q(LabelCalcStopped[l]);
    t.drivers = {Q(LabelBass[l]), Q(LabelMid[l]), Q(LabelTweeter[l])};
    t.decimalSep = decimalSep;
    return t;
}

QString BreakdownTexts::sinkName(Sink s) const {
    switch (s) {
        case Sink::Bass: return drivers[Bass];
        case Sink::Mid: return drivers[Mid];
        case Sink::Tweeter: return drivers[Tweeter];
        case Sink::MidSeries: return drivers[Mid] + QStringLiteral(" Rs");
        case Sink::MidParallel: return drivers[Mid] + QStringLiteral(" Rp");
        case Sink::TweeterSeries: return drivers[Tweeter] + QStringLiteral(" Rs");
        case Sink::TweeterParallel: return drivers[Tweeter] + QStringLiteral(" Rp");
    }
    return {};
}

QString BreakdownTexts::columnName(const BandBreakdown& b, Sink s) const {
    const double ohm = b.ohm[size_t(s)];
    if (IsDriver(s) || !(ohm > 0)) return sinkName(s);
    return sinkName(s) + QLatin1Char(' ') + Q(FormatResult(ohm, decimalSep)) + QStringLiteral(" Ω");
}

int BandAtX(const QRectF& area, double x) {
    const PlotGeometry g = Geometry(area);
    if (x < g.bars.left() || x >= g.bars.right()) return -1;
    return std::clamp(int((x - g.bars.left()) / g.slot), 0, BandCount - 1);
}

QString BandSummary(const BandBreakdown& b, const BreakdownTexts& t, int band) {
    if (band < 0 || band >= BandCount) return {};
    const BandBreakdownRow& r = b.rows[size_t(band)];
    QString text = QString::number(r.freqHz) + QStringLiteral(" Hz");
    for (Sink s : b.sinks) {
        if (!IsDriver(s)) continue;
        text += QLatin1Char('\n') + t.sinkName(s) + QStringLiteral(": ") +
                Number(r.powerW[size_t(s)], 2, t.decimalSep) + QLatin1Char(' ') + t.watts +
                QStringLiteral(" (") + Number(r.sharePct[size_t(s)], 1, t.decimalSep) +
                QStringLiteral(" %)");
    }
    return text;
}

void PaintBandPlot(QPainter& p, const QRectF& area, const BandBreakdown& b, const BreakdownTexts& t,
                   int hoverBand) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(area, Qt::white);
    const PlotGeometry g = Geometry(area);
    const QColor grid(0xC0, 0xC0, 0xC0), ink(0x40, 0x40, 0x40);
    const QFontMetricsF fm(p.font());

    double top = 0;
    for (const BandBreakdownRow& r : b.rows) top = std::max(top, DriversTotal(r));
    const double step = top > 0 ? NiceStep(top, 5.0) : 1.0;
    const double axisTop = top > 0 ? std::ceil(top / step) * step : 5.0;
    const auto yOf = [&](double w) { return g.bars.bottom() - w / axisTop * g.bars.height(); };

    if (hoverBand >= 0 && hoverBand < BandCount)
        p.fillRect(
            QRectF(g.bars.left() + hoverBand * g.slot, g.bars.top(), g.slot, g.bars.height()),
            QColor(0xEE, 0xEE, 0xF4));

    // Watts: grid lines and their values.
    p.setPen(ink);
    for (int i = 0; i * step <= axisTop + step * 1e-9; ++i) {
        const double y = yOf(i * step);
        p.setPen(QPen(grid, 0));
        p.drawLine(QPointF(g.bars.left(), y), QPointF(g.bars.right(), y));
        p.setPen(ink);
        const QString label = Number(i * step, 3, t.decimalSep);
        p.drawText(
            QRectF(area.left(), y - fm.height() / 2, g.bars.left() - area.left() - 6, fm.height()),
            Qt::AlignRight | Qt::AlignVCenter, label);
    }
    p.drawText(QRectF(area.left(), area.top() + 4, g.bars.left() - area.left() - 6, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, t.watts);

    // The bars, bass at the bottom.
    for (int i = 0; i < BandCount; ++i) {
        const BandBreakdownRow& r = b.rows[size_t(i)];
        const double x = g.bars.left() + i * g.slot + g.slot * 0.15;
        double base = 0;
        for (int d = 0; d < DriverCount; ++d) {
            const double w = r.powerW[size_t(d)];
            if (w <= 0) continue;
            const QRectF bar(QPointF(x, yOf(base + w)), QPointF(x + g.slot * 0.7, yOf(base)));
            p.fillRect(bar, DriverColors[d]);
            base += w;
        }
    }
    p.setPen(QPen(grid, 0));
    p.drawRect(g.bars);

    // Bands: labelled like the spectrum graph.
    p.setPen(ink);
    for (int k = 0; k < 11; ++k) {
        const double cx = g.bars.left() + (3 * k + 0.5) * g.slot;
        p.drawLine(QPointF(cx, g.bars.bottom()), QPointF(cx, g.bars.bottom() + 3));
        p.drawText(QRectF(cx - 30, g.bars.bottom() + 4, 60, fm.height()), Qt::AlignCenter,
                   QString::fromUtf8(FrequencyLabels[k]));
    }
    p.drawText(QRectF(g.bars.right() + 2, g.bars.bottom() + 4, area.right() - g.bars.right() - 2,
                      fm.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Hz"));

    // Legend: the drivers in use.
    double lx = g.bars.left();
    for (Sink s : b.sinks) {
        if (!IsDriver(s)) continue;
        const int d = int(s);
        p.fillRect(QRectF(lx, area.top() + 6, 12, 12), DriverColors[d]);
        const QString name = t.sinkName(s);
        p.drawText(QRectF(lx + 16, area.top() + 4, fm.horizontalAdvance(name) + 4, 16),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
        lx += 16 + fm.horizontalAdvance(name) + 18;
    }
    p.restore();
}

BandPowerPlot::BandPowerPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BreakdownPlot"));
    setMouseTracking(true);
    setMinimumSize(420, 180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BandPowerPlot::setData(const BandBreakdown& b, const BreakdownTexts& t) {
    data_ = b;
    texts_ = t;
    update();
}

Picture BandPowerPlot::picture() const {
    const BandBreakdown data = data_;
    const BreakdownTexts texts = texts_;
    const QFont font = this->font();
    const QSize size = this->size();
    return {size,
            [data, texts, font, size](QPainter& p) {
                p.setFont(font);
                PaintBandPlot(p, QRectF(QPointF(), size), data, texts);
            },
            texts.title};
}

void BandPowerPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBandPlot(p, QRectF(rect()), data_, texts_, hover_);
}

void BandPowerPlot::mouseMoveEvent(QMouseEvent* e) {
    const int band = data_.sinks.empty() ? -1 : BandAtX(QRectF(rect()), e->position().x());
    if (band != hover_) {
        hover_ = band;
        update();
    }
    if (band >= 0)
        QToolTip::showText(e->globalPosition().toPoint(), BandSummary(data_, texts_, band), this);
    else
        QToolTip::hideText();
}

void BandPowerPlot::leaveEvent(QEvent*) {
    hover_ = -1;
    update();
}

BandBreakdownWindow::BandBreakdownWindow(const Session& session, QWidget* main)
    : QWidget(main, Qt::Window), session_(session) {
    setObjectName(QStringLiteral("F_PowerPerBand"));
    CloseOnEscape(this);
    AnnounceAsWindow(this);
    resize(780, 640);
    auto* layout = new QVBoxLayout(this);
    stopLine_ = new QLabel(this);
    stopLine_->setObjectName(QStringLiteral("BreakdownStop"));
    stopLine_->setStyleSheet(QStringLiteral("color: #A00000"));
    stopLine_->hide();
    plot_ = new BandPowerPlot(this);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("BreakdownTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // Captions wrap at blanks; fitColumns makes room for their longest word.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter |
                                                    Qt::Alignment(Qt::TextWordWrap));
    OnEvent(table_->viewport(), QEvent::Resize, [this](QEvent*) {
        fitColumns();
        return false;
    });
    const TableCopyActions copy = InstallTableCopy(table_);
    copyCells_ = copy.copy;
    selectAll_ = copy.selectAll;
    const PictureActions picture =
        AddPictureActions(plot_, QStringLiteral("Breakdown"), [this] { return plot_->picture(); });
    savePicture_ = picture.save;
    copyPicture_ = picture.copy;
    connect(savePicture_, &QAction::triggered, this, [this] { savePicture(); });
    layout->addWidget(stopLine_);
    layout->addWidget(plot_, 2);
    layout->addWidget(table_, 3);
    // Before the first calculation reaches it, the bands without numbers.
    for (int i = 0; i < BandCount; ++i) data_.rows[size_t(i)].freqHz = BandGrid[size_t(i)];
    retranslate();  // filled when first shown
}

void BandBreakdownWindow::show(const Design& design, const Evaluation& ev,
                               const QString& stopMessage) {
    design_ = design;
    ev_ = ev;
    stop_ = stopMessage;
    newResult_ = true;
    refresh();
}

void BandBreakdownWindow::retranslate() {
    const BreakdownTexts t =
        BreakdownTexts::For(TextIndex(session_.language()), DecimalSeparator());
    setWindowTitle(t.title);
    plot_->setAccessibleName(t.title);
    table_->setAccessibleName(t.title);
    const size_t l = size_t(TextIndex(session_.language()));
    savePicture_->setText(Q(CaptionSavePicture[l]));
    copyPicture_->setText(Q(CaptionCopy[l]));
    copyCells_->setText(Q(CaptionCopy[l]));
    selectAll_->setText(Q(CaptionSelectAll[l]));
    stale_ = true;
    refresh();
}

void BandBreakdownWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    refresh();
}

void BandBreakdownWindow::refresh() {
    if (!isVisible()) return;
    if (newResult_) {
        data_ = MakeBandBreakdown(design_, ev_);
        newResult_ = false;
        stale_ = true;
    }
    if (!stale_) return;
    stale_ = false;
    fill();
}

void BandBreakdownWindow::setCell(int row, int col, const QString& text) {
    if (QTableWidgetItem* item = table_->item(row, col)) {
        if (item->text() != text) item->setText(text);
        return;
    }
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (row == BandCount) {
        QFont bold = table_->font();
        bold.setBold(true);
        item->setFont(bold);
    }
    table_->setItem(row, col, item);
}

void BandBreakdownWindow::fill() {
    const BreakdownTexts t =
        BreakdownTexts::For(TextIndex(session_.language()), DecimalSeparator());
    const bool stopped = !stop_.isEmpty();
    // A stop says so instead of leaving the last numbers standing.
    stopLine_->setVisible(stopped);
    stopLine_->setText(stopped ? t.stopped + stop_.simplified() : QString());
    stopLine_->setAccessibleName(stopLine_->text());
    BandBreakdown shown = data_;
    if (stopped) {
        shown = BandBreakdown{};
        shown.stop = data_.stop == CalcStop::None ? CalcStop::NoSignal : data_.stop;
        for (int i = 0; i < BandCount; ++i) {
            shown.rows[size_t(i)].freqHz = data_.rows[size_t(i)].freqHz;
            shown.rows[size_t(i)].levelDb = data_.rows[size_t(i)].levelDb;
        }
    }
    plot_->setData(shown, t);

    QStringList headers = {t.frequency, t.level};
    for (Sink s : shown.sinks) {
        headers << t.columnName(shown, s) + QStringLiteral(", ") + t.watts;
        if (IsDriver(s)) headers << t.sinkName(s) + QStringLiteral(", %");
    }
    // The columns change only with the drivers and pads in use or the language.
    bool refit = false;
    if (headers != headers_) {
        table_->setColumnCount(int(headers.size()));
        table_->setHorizontalHeaderLabels(headers);
        headers_ = headers;
        refit = true;
    }
    if (table_->rowCount() != BandCount + 1) table_->setRowCount(BandCount + 1);
    const auto set = [this](int row, int col, const QString& text) { setCell(row, col, text); };
    for (int i = 0; i < BandCount; ++i) {
        const BandBreakdownRow& r = shown.rows[size_t(i)];
        set(i, 0, QString::number(r.freqHz));
        set(i, 1, r.levelDb == NoBandLevel ? QString() : QString::number(r.levelDb));
        int col = 2;
        for (Sink s : shown.sinks) {
            set(i, col++, Number(r.powerW[size_t(s)], 2, t.decimalSep));
            if (IsDriver(s)) set(i, col++, Number(r.sharePct[size_t(s)], 1, t.decimalSep));
        }
    }
    set(BandCount, 0, t.total);
    set(BandCount, 1, QString());
    int col = 2;
    for (Sink s : shown.sinks) {
        set(BandCount, col++, Q(shown.totalText[size_t(s)]));
        if (IsDriver(s)) set(BandCount, col++, QStringLiteral("100"));
    }
    if (refit) fitColumns();  // with the cells, whose numbers may be wider
}

void BandBreakdownWindow::fitColumns() {
    QHeaderView* header = table_->horizontalHeader();
    const int n = std::min(table_->columnCount(), int(headers_.size()));
    if (n == 0) return;
    const QFontMetrics fm(header->font());
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    std::vector<int> least(static_cast<size_t>(n), 0);
    for (int c = 0; c < n; ++c) {
        int w = static_cast<const QAbstractItemView*>(table_)->sizeHintForColumn(c);
        for (const QString& word : headers_[c].split(QLatin1Char(' '), Qt::SkipEmptyParts))
            w = std::max(w, fm.horizontalAdvance(word) + margin + 4);
        least[size_t(c)] = w;
    }
    // Equal widths where the captions allow: the columns that need more keep
    // what they need, the others share the rest.
    const int room = table_->viewport()->width();
    int level = room / n;
    for (int pass = 0; pass < n; ++pass) {
        int wide = 0, wideSum = 0;
        for (int w : least)
            if (w > level) ++wide, wideSum += w;
        const int next = wide < n ? (room - wideSum) / (n - wide) : 0;
        if (next == level) break;
        level = next;
    }
    std::vector<int> widths(static_cast<size_t>(n));
    int sum = 0;
    for (int c = 0; c < n; ++c) {
        widths[size_t(c)] = std::max(least[size_t(c)], level);
        sum += widths[size_t(c)];
    }
    widths.back() += std::max(0, room - sum);  // the rounding's pixels
    int height = 0;
    for (int c = 0; c < n; ++c) {
        const int w = widths[size_t(c)];
        if (header->sectionSize(c) != w) header->resizeSection(c, w);
        const QRect text = fm.boundingRect(QRect(0, 0, w - margin - 4, 1000),
                                           Qt::AlignCenter | Qt::TextWordWrap, headers_[c]);
        height = std::max(height, text.height());
    }
    header->setMinimumHeight(height + margin + 4);
}

void BandBreakdownWindow::savePicture() {
    SavePictureAs(this, plot_->picture(), PictureName(session_),
                  {session_.designPath(), session_.userFolder()}, PlotPictureTexts(session_));
}

namespace {

// Opens the window and keeps it on the calculations; one opened later starts
// from the session's last.
class BreakdownFollower : public QObject {
public:
    BreakdownFollower(const Session& session, QWidget* main)
        : QObject(main), session_(session), main_(main) {
        setObjectName(QStringLiteral("BreakdownFollower"));
    }
    void recalculated(const Design& d, const Evaluation& ev, const QString& stop) {
        if (window_) window_->show(d, ev, stop);
    }
    void open() {
        if (!window_) {
            window_ = new BandBreakdownWindow(session_, main_);
            if (const auto& last = session_.lastCalculation())
                window_->show(last->design, last->ev, last->stopMessage);
        }
        window_->QWidget::show();
        window_->raise();
        window_->activateWindow();
    }
    BandBreakdownWindow* window() const { return window_; }

private:
    const Session& session_;
    QWidget* main_;
    BandBreakdownWindow* window_ = nullptr;
};

}  // namespace

void InstallBandBreakdown(const Session& session, QWidget* main, QMenu* service) {
    auto* follower = new BreakdownFollower(session, main);
    QAction* item = service->addAction(QString());
    item->setObjectName(QStringLiteral("CmdPowerPerBand"));
    QObject::connect(item, &QAction::triggered, follower, [follower] { follower->open(); });
    QObject::connect(&session, &Session::recalculated, follower,
                     [follower](const Design& d, const Evaluation& ev, const QString& stop) {
                         follower->recalculated(d, ev, stop);
                     });
    const auto retranslate = [&session, item, follower] {
        item->setText(session.text(CaptionPowerPerBand));
        if (follower->window()) follower->window()->retranslate();
    };
    retranslate();
    QObject::connect(&session, &Session::languageChanged, follower, retranslate);
}

BandBreakdownWindow* FindBandBreakdown(const QWidget& main) {
    auto* follower = static_cast<BreakdownFollower*>(
        main.findChild<QObject*>(QStringLiteral("BreakdownFollower"), Qt::FindDirectChildrenOnly));
    return follower ? follower->window() : nullptr;
}

void InstallBandPlotPicture(const Session& session, QWidget* main, QMenu* exportMenu) {
    QAction* item = exportMenu->addAction(QString());
    item->setObjectName(QStringLiteral("CmdPerBandPicture"));
    QObject::connect(item, &QAction::triggered, main, [&session, main] {
        const BandBreakdownWindow* window = FindBandBreakdown(*main);
        Picture picture;
        if (window && window->isVisible()) {
            picture = window->plot()->picture();
        } else {
            // The window's plot at its usual size, for the design on screen.
            const Design design = session.design();
            const Evaluation ev = Evaluate(design);
            const BandBreakdown b = MakeBandBreakdown(design, ev);
            const BreakdownTexts t =
                BreakdownTexts::For(TextIndex(session.language()), DecimalSeparator());
            const QFont font = main->font();
            picture = {QSize(720, 260),
                       [b, t, font](QPainter& p) {
                           p.setFont(font);
                           PaintBandPlot(p, QRectF(0, 0, 720, 260), b, t);
                       },
                       t.title};
        }
        SavePictureAs(main, picture, PictureName(session),
                      {session.designPath(), session.userFolder()}, PlotPictureTexts(session));
        main->activateWindow();
    });
    const auto retranslate = [&session, item] {
        item->setText(session.text(CaptionPerBandPicture));
    };
    retranslate();
    QObject::connect(&session, &Session::languageChanged, item, retranslate);
}

}  // namespace ampora::ui
