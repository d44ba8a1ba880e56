#include "calc/ui/PowerHandlingWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "i18n/Language.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"
#include "kit/Controls.h"
#include "kit/Keyboard.h"

namespace ampora::ui {

namespace {

QString Num(double v, char sep) { return Q(FormatResult(v, sep)); }

const QString OverloadStyle = QStringLiteral("color: #C00000; font-weight: bold");

// A style sheet set anew restyles the widget even when it is the same.
void SetStyle(QWidget* w, const QString& style) {
    if (w->styleSheet() != style) w->setStyleSheet(style);
}

// A box's number with either decimal separator; the user's locale decides
// nothing here, as a comma typed on an English system is still meant.
std::optional<double> BoxReal(const QLineEdit* box) {
    std::string t = S(box->text().trimmed());
    std::replace(t.begin(), t.end(), ',', '.');
    return ParseReal(t, '.');
}

std::optional<double> InRange(std::optional<double> v, double low, double high) {
    if (v && *v >= low && *v <= high) return v;
    return std::nullopt;
}

QLabel* NewLabel(QWidget* parent, const char* name, Qt::Alignment align = Qt::AlignLeft) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

QLineEdit* NewBox(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(90);
    e->setAlignment(Qt::AlignRight);
    return e;
}

}  // namespace

PowerHandlingWindow::PowerHandlingWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    CloseOnEscape(this);
    AnnounceAsWindow(this);
    setObjectName(QStringLiteral("F_PowerHandling"));
    build();
    retranslate();
}

void PowerHandlingWindow::build() {
    auto* layout = new QVBoxLayout(this);
    stopLine_ = NewLabel(this, "PowerHandlingStop");
    stopLine_->setStyleSheet(QStringLiteral("color: #A00000"));
    stopLine_->hide();
    layout->addWidget(stopLine_);

    const Qt::Alignment right = Qt::AlignRight;
    auto* drivers = new QGridLayout;
    drivers->setHorizontalSpacing(12);
    const char* headerNames[] = {"HeadReceives",    "HeadRating", "HeadKind",    "HeadIecCut",
                                 "HeadPermissible", "HeadLoad",   "HeadHeadroom"};
    for (size_t c = 0; c < headers_.size(); ++c) {
        headers_[c] = NewLabel(this, headerNames[c], c == 2 ? Qt::AlignLeft : right);
        headers_[c]->setWordWrap(true);
        drivers->addWidget(headers_[c], 0, int(c) + 1);
    }
    const char* keys[] = {"Bass", "Mid", "Tweeter"};
    for (int k = 0; k < DriverCount; ++k) {
        DriverRow& r = rows_[size_t(k)];
        const QString key = QString::fromUtf8(keys[k]);
        r.name = NewLabel(this, "");
        r.name->setObjectName(QStringLiteral("Name") + key);
        r.receives = NewLabel(this, "", right);
        r.receives->setObjectName(QStringLiteral("Receives") + key);
        r.rating = NewBox(this, QStringLiteral("Rating") + key);
        r.permissible = NewLabel(this, "", right);
        r.permissible->setObjectName(QStringLiteral("Permissible") + key);
        r.load = NewLabel(this, "", right);
        r.load->setObjectName(QStringLiteral("Load") + key);
        r.headroom = NewLabel(this, "", right);
        r.headroom->setObjectName(QStringLiteral("Headroom") + key);
        r.mark = NewLabel(this, "");
        r.mark->setObjectName(QStringLiteral("Mark") + key);
        const int row = k + 1;
        drivers->addWidget(r.name, row, 0);
        drivers->addWidget(r.receives, row, 1);
        drivers->addWidget(r.rating, row, 2, right);
        if (k == Tweeter) {
            kind_ = new QComboBox(this);
            kind_->setObjectName(QStringLiteral("KindTweeter"));
            kind_->addItems({QString(), QString()});
            drivers->addWidget(kind_, row, 3);
            iecCut_ = NewBox(this, QStringLiteral("IecCutTweeter"));
            iecCut_->setEnabled(false);
            drivers->addWidget(iecCut_, row, 4, right);
        } else {
            r.kindText = NewLabel(this, "");
            r.kindText->setObjectName(QStringLiteral("Kind") + key);
            drivers->addWidget(r.kindText, row, 3);
        }
        drivers->addWidget(r.permissible, row, 5);
        drivers->addWidget(r.load, row, 6);
        drivers->addWidget(r.headroom, row, 7);
        drivers->addWidget(r.mark, row, 8);
    }
    drivers->setColumnStretch(9, 1);
    layout->addLayout(drivers);

    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(12);
    const struct {
        Figure* f;
        const char* name;
    } rows[] = {{&limiting_, "Limiting"}, {&maxAmp_, "MaxAmp"}, {&maxSpl_, "MaxSpl"}};
    int row = 0;
    for (const auto& fr : rows) {
        fr.f->caption = NewLabel(this, "");
        fr.f->caption->setObjectName(QStringLiteral("Caption") + QString::fromUtf8(fr.name));
        fr.f->value = NewLabel(this, "");
        fr.f->value->setObjectName(QStringLiteral("Value") + QString::fromUtf8(fr.name));
        QFont bold = fr.f->value->font();
        bold.setBold(true);
        fr.f->value->setFont(bold);
        figures->addWidget(fr.f->caption, row, 0);
        figures->addWidget(fr.f->value, row, 1);
        ++row;
    }
    noRatings_ = NewLabel(this, "NoRatings");
    noRatings_->setWordWrap(true);
    figures->addWidget(noRatings_, row, 0, 1, 2);
    figures->setColumnStretch(2, 1);
    layout->addSpacing(4);
    layout->addLayout(figures);

    padsTitle_ = NewLabel(this, "PadsTitle");
    QFont bold = padsTitle_->font();
    bold.setBold(true);
    padsTitle_->setFont(bold);
    layout->addSpacing(4);
    layout->addWidget(padsTitle_);
    auto* pads = new QGridLayout;
    pads->setHorizontalSpacing(16);
    for (size_t c = 0; c < padHeaders_.size(); ++c) {
        padHeaders_[c] = NewLabel(this, "", c == 0 ? Qt::AlignLeft : right);
        padHeaders_[c]->setObjectName(QStringLiteral("PadHead%1").arg(c));
        pads->addWidget(padHeaders_[c], 0, int(c));
    }
    for (size_t r = 0; r < padCells_.size(); ++r)
        for (size_t c = 0; c < padCells_[r].size(); ++c) {
            QLabel* cell = NewLabel(this, "", c == 0 ? Qt::AlignLeft : right);
            cell->setObjectName(QStringLiteral("Pad%1_%2").arg(r).arg(c));
            padCells_[r][c] = cell;
            pads->addWidget(cell, int(r) + 1, int(c));
        }
    pads->setColumnStretch(5, 1);
    layout->addLayout(pads);
    padNote_ = NewLabel(this, "PadNote");
    padNote_->setWordWrap(true);
    layout->addWidget(padNote_);

    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(12);
    crestCaption_ = NewLabel(this, "CrestCaption");
    crest_ = NewBox(this, QStringLiteral("CrestFactor"));
    sine_.caption = NewLabel(this, "CaptionSine");
    sine_.value = NewLabel(this, "ValueSine");
    targetCaption_ = NewLabel(this, "TargetCaption");
    target_ = NewBox(this, QStringLiteral("TargetSpl"));
    targetAmp_.caption = NewLabel(this, "CaptionTargetAmp");
    targetAmp_.value = NewLabel(this, "ValueTargetAmp");
    inputs->addWidget(crestCaption_, 0, 0);
    inputs->addWidget(crest_, 0, 1);
    inputs->addWidget(sine_.caption, 0, 2);
    inputs->addWidget(sine_.value, 0, 3);
    inputs->addWidget(targetCaption_, 1, 0);
    inputs->addWidget(target_, 1, 1);
    inputs->addWidget(targetAmp_.caption, 1, 2);
    inputs->addWidget(targetAmp_.value, 1, 3);
    inputs->setColumnStretch(4, 1);
    layout->addSpacing(4);
    layout->addLayout(inputs);

    plotTitle_ = NewLabel(this, "PlotTitle");
    plotTitle_->setFont(bold);
    plotTitle_->setWordWrap(true);
    plot_ = new LimitPlot(this);
    layout->addSpacing(4);
    layout->addWidget(plotTitle_);
    layout->addWidget(plot_, 1);

    for (QLineEdit* box :
         {rows_[Bass].rating, rows_[Mid].rating, rows_[Tweeter].rating, iecCut_, crest_, target_})
        connect(box, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(kind_, &QComboBox::activated, this, [this](int index) {
        // The IEC tool's own default, so that the rating counts at once.
        if (index == 1 && iecCut_->text().trimmed().isEmpty())
            iecCut_->setText(QStringLiteral("3000"));
        edited();
    });
    // Top to bottom: the ratings, the tweeter's kind and cut, the crest
    // factor, the target.
    QWidget* chain[] = {rows_[Bass].rating,
                        rows_[Mid].rating,
                        rows_[Tweeter].rating,
                        kind_,
                        iecCut_,
                        crest_,
                        target_};
    for (size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
    crest_->setText(Q(FormatGeneral(DefaultCrestFactorDb, DecimalSeparator())));
    resize(760, 660);
}

void PowerHandlingWindow::edited() {
    PowerRatings r;
    for (int k = 0; k < DriverCount; ++k) {
        const std::optional<double> watts = InRange(BoxReal(rows_[size_t(k)].rating), 0, MaxRatedW);
        if (!watts || *watts <= 0) continue;
        DriverRating rating{*watts, {}};
        if (k == Tweeter && kind_->currentIndex() == 1) {
            const std::optional<int32_t> cut = ParseInt(S(iecCut_->text().trimmed()));
            if (!cut || *cut < 1 || *cut > MaxIecCutHz) continue;
            rating.iecCutHz = *cut;
        }
        r.drivers[size_t(k)] = rating;
    }
    r.crestFactorDb = InRange(BoxReal(crest_), 0, MaxCrestFactorDb).value_or(DefaultCrestFactorDb);
    r.targetSplDb = InRange(BoxReal(target_), 0, MaxTargetSplDb);
    iecCut_->setEnabled(kind_->currentIndex() == 1);
    if (r == ratings_) return;
    ratings_ = r;
    permissible_ = ConvertRatings(ratings_);
    stale_ = true;
    refresh();
    emit ratingsEdited(ratings_);
}

void PowerHandlingWindow::setRatings(const PowerRatings& r) {
    const char sep = DecimalSeparator();
    for (int k = 0; k < DriverCount; ++k) {
        const std::optional<DriverRating>& d = r.drivers[size_t(k)];
        rows_[size_t(k)].rating->setText(d ? Q(FormatGeneral(d->ratedW, sep)) : QString());
    }
    const std::optional<DriverRating>& tw = r.drivers[Tweeter];
    const bool iec = tw && tw->iecCutHz;
    kind_->setCurrentIndex(iec ? 1 : 0);
    iecCut_->setText(iec ? QString::number(*tw->iecCutHz) : QString());
    iecCut_->setEnabled(iec);
    crest_->setText(Q(FormatGeneral(r.crestFactorDb, sep)));
    target_->setText(r.targetSplDb ? Q(FormatGeneral(*r.targetSplDb, sep)) : QString());
    ratings_ = r;
    permissible_ = ConvertRatings(ratings_);
    stale_ = true;
    refresh();
}

void PowerHandlingWindow::recalculated(const Design& design, const Evaluation& ev,
                                       const QString& stopMessage) {
    design_ = design;
    ev_ = ev;
    stop_ = stopMessage;
    have_ = true;
    stale_ = true;
    refresh();
}

void PowerHandlingWindow::setLanguage(int language) {
    language_ = language;
    retranslate();
}

void PowerHandlingWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void PowerHandlingWindow::retranslate() {
    const PowerHandlingTexts t = PowerHandlingTexts::For(language_);
    setWindowTitle(t.title);
    const QString heads[] = {t.receives,    t.rating, t.kind,    t.iecCut,
                             t.permissible, t.load,   t.headroom};
    for (size_t c = 0; c < headers_.size(); ++c) headers_[c]->setText(heads[c]);
    for (int k = 0; k < DriverCount; ++k) {
        DriverRow& r = rows_[size_t(k)];
        const QString& driver = t.drivers[size_t(k)];
        r.name->setText(driver);
        if (r.kindText) r.kindText->setText(t.inDriver);
        r.rating->setAccessibleName(driver + QStringLiteral(", ") + t.rating);
        r.receives->setAccessibleName(driver + QStringLiteral(", ") + t.receives);
        r.permissible->setAccessibleName(driver + QStringLiteral(", ") + t.permissible);
        r.load->setAccessibleName(driver + QStringLiteral(", ") + t.load);
        r.headroom->setAccessibleName(driver + QStringLiteral(", ") + t.headroom);
    }
    kind_->setItemText(0, t.inDriver);
    kind_->setItemText(1, t.iec);
    kind_->setAccessibleName(t.drivers[Tweeter] + QStringLiteral(", ") + t.kind);
    iecCut_->setAccessibleName(t.drivers[Tweeter] + QStringLiteral(", ") + t.iecCut);
    limiting_.caption->setText(t.limiting + QLatin1Char(':'));
    maxAmp_.caption->setText(t.maxAmp + QLatin1Char(':'));
    maxSpl_.caption->setText(t.maxSpl + QLatin1Char(':'));
    noRatings_->setText(t.noRatings);
    padsTitle_->setText(t.pads);
    const QString padHeads[] = {QString(), t.ohm, t.now, t.atMax, t.suggested};
    for (size_t c = 0; c < padHeaders_.size(); ++c) padHeaders_[c]->setText(padHeads[c]);
    crestCaption_->setText(t.crest);
    crest_->setAccessibleName(t.crest);
    sine_.caption->setText(t.sine + QLatin1Char(':'));
    targetCaption_->setText(t.target);
    target_->setAccessibleName(t.target);
    targetAmp_.caption->setText(t.targetAmp + QLatin1Char(':'));
    plotTitle_->setText(t.moves);
    plot_->setAccessibleName(t.moves);
    for (const Figure* f : {&limiting_, &maxAmp_, &maxSpl_, &sine_, &targetAmp_})
        f->value->setAccessibleName(f->caption->text().chopped(1));
    stale_ = true;
    refresh();
}

void PowerHandlingWindow::refresh() {
    if (!isVisible() || !stale_) return;
    stale_ = false;
    const PowerHandlingTexts t = PowerHandlingTexts::For(language_);
    const char sep = DecimalSeparator();
    Design d = design_;
    d.powerHandling = ratings_;
    // Before the first calculation and after a stop: the ratings alone.
    const bool ran = have_ && stop_.isEmpty() && ev_.stop == CalcStop::None;
    Evaluation stopped;
    stopped.stop = CalcStop::NoSignal;
    figures_ = EvaluatePowerHandling(d, ran ? ev_ : stopped, permissible_);
    const PowerHandling& ph = figures_;

    stopLine_->setVisible(!stop_.isEmpty());
    stopLine_->setText(stop_.isEmpty() ? QString() : t.stopped + stop_.simplified());
    stopLine_->setAccessibleName(stopLine_->text());

    for (int k = 0; k < DriverCount; ++k) {
        DriverRow& r = rows_[size_t(k)];
        const DriverHandling& h = ph.drivers[size_t(k)];
        // A row per driver in use; the midrange's stays out while it is off.
        const bool inUse = k != Mid || design_.midOn;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 r.name, r.receives, r.rating, r.permissible, r.load, r.headroom, r.mark})
            w->setVisible(inUse);
        if (r.kindText) r.kindText->setVisible(inUse);
        r.receives->setText(ran && h.inUse ? Num(h.receivedW, sep) : QString());
        r.permissible->setText(h.rated ? Q(FormatPermissibleW(h.permissibleW, sep)) : QString());
        const bool numbers = ran && h.rated;
        r.load->setText(numbers ? Num(h.loadPct, sep) : QString());
        SetStyle(r.load, numbers && h.loadPct > 100.0 ? OverloadStyle : QString());
        r.headroom->setText(numbers && std::isfinite(h.headroomDb) ? Num(h.headroomDb, sep)
                                                                   : QString());
        const bool limits = ran && ph.limiting == k;
        r.mark->setText(limits ? t.limitMark : QString());
        if (r.name->font().bold() != limits) {
            QFont f = r.name->font();
            f.setBold(limits);
            r.name->setFont(f);
            r.mark->setFont(f);
        }
    }

    const bool limit = ran && ph.hasLimit();
    for (const Figure* f : {&limiting_, &maxAmp_, &maxSpl_}) {
        f->caption->setVisible(limit);
        f->value->setVisible(limit);
    }
    noRatings_->setVisible(!ph.hasLimit() && ran);
    limiting_.value->setText(limit ? t.drivers[size_t(ph.limiting)] : QString());
    maxAmp_.value->setText(limit ? Num(ph.maxAmpW, sep) : QString());
    maxSpl_.value->setText(limit ? Num(ph.maxSplDb, sep) : QString());
    sine_.value->setText(limit ? Num(ph.ampSineRatingW, sep) : QString());
    QString need;
    if (ran && ph.targetSplDb) {
        need = Num(ph.targetAmpW, sep);
        if (limit)
            need += QStringLiteral("  (") + (ph.targetWithinMax ? t.within : t.beyond) +
                    QLatin1Char(')');
    }
    targetAmp_.value->setText(need);
    SetStyle(targetAmp_.value, limit && ph.targetSplDb && !ph.targetWithinMax
                                   ? QStringLiteral("color: #C00000")
                                   : QString());
    fillResistors(ph, ran);

    LimitCurve curve;
    LimitMark mark;
    if (limit) {
        curve = WhatMovesTheLimit(d);
        mark = {true, d.tweeterHighPass.cutHz, ph.maxSplDb};
    }
    plot_->setData(curve, mark, t);
}

void PowerHandlingWindow::fillResistors(const PowerHandling& ph, bool shown) {
    const PowerHandlingTexts t = PowerHandlingTexts::For(language_);
    const char sep = DecimalSeparator();
    const int count = shown ? ph.resistorCount : 0;
    padsTitle_->setVisible(count > 0);
    for (QLabel* h : padHeaders_) h->setVisible(count > 0);
    for (int r = 0; r < int(padCells_.size()); ++r) {
        const bool used = r < count;
        const ResistorHandling& res = ph.resistors[size_t(r)];
        const QString cells[] = {used ? t.sinkName(res.sink) : QString(),
                                 used ? Q(FormatGeneral(res.ohm, sep)) : QString(),
                                 used ? Num(res.nowW, sep) : QString(),
                                 used && ph.hasLimit() ? Num(res.atMaxW, sep) : QString(),
                                 !used                ? QString()
                                 : res.suggestedW > 0 ? QString::number(res.suggestedW)
                                                      : QStringLiteral("> 100")};
        for (size_t c = 0; c < padCells_[size_t(r)].size(); ++c) {
            padCells_[size_t(r)][c]->setText(cells[c]);
            padCells_[size_t(r)][c]->setVisible(used);
            padCells_[size_t(r)][c]->setAccessibleName(
                used && c > 0 ? cells[0] + QStringLiteral(", ") + padHeaders_[c]->text()
                              : QString());
        }
    }
    padNote_->setVisible(count > 0);
    padNote_->setText(ph.hasLimit() ? t.notePeaks : t.noteNow);
}

QStringList PowerHandlingWindow::rowTexts(int driver) const {
    const DriverRow& r = rows_[size_t(driver)];
    return {r.name->text(), r.receives->text(), r.permissible->text(),
            r.load->text(), r.headroom->text(), r.mark->text()};
}

bool PowerHandlingWindow::rowShown(int driver) const {
    return !rows_[size_t(driver)].name->isHidden();
}

QStringList PowerHandlingWindow::summaryTexts() const {
    QStringList out;
    for (const Figure* f : {&limiting_, &maxAmp_, &maxSpl_, &sine_, &targetAmp_})
        if (!f->value->isHidden() && !f->value->text().isEmpty())
            out << f->caption->text() + QLatin1Char(' ') + f->value->text();
    return out;
}

QStringList PowerHandlingWindow::resistorTexts() const {
    QStringList out;
    for (const auto& row : padCells_) {
        if (row[0]->isHidden()) continue;
        QStringList cells;
        for (const QLabel* c : row) cells << c->text();
        out << cells.join(QLatin1Char(' '));
    }
    return out;
}

}  // namespace ampora::ui
