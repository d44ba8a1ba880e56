// The calculation behind "Calc!": reads the design from the session,
// evaluates it and writes the results; every stop leaves the previous
// results.

#include "calc/ui/ResultsPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "kit/Controls.h"
#include "kit/Widgets.h"
#include "session/Session.h"

namespace ampora::ui {

ResultsPanel::ResultsPanel(Session& session, QWidget* client, QWidget* rows,
                           const std::array<QWidget*, DriverCount>& columns)
    : session_(session) {
    build(client, rows, columns);
    connectHandlers();
}

ResultsPanel::~ResultsPanel() = default;

void ResultsPanel::build(QWidget* client, QWidget* rows,
                         const std::array<QWidget*, DriverCount>& columns) {
    totalLevel_ = MakeEdit(rows, 19, 155, 212, 46, QString(), true);
    const struct { int no, x; } powers[] = {{7, 17}, {4, 12}, {8, 12}};
    for (int d = 0; d < DriverCount; ++d)
        power_[size_t(d)] =
            MakeEdit(columns[size_t(d)], powers[d].no, powers[d].x, 163, 42, QString(), true);
    kmaxCaption_ = MakeLabel(columns[Bass], "Label27", 64, 67, "Kmax, dB");
    kmax_ = MakeEdit(columns[Bass], 30, 116, 64, 40, QString(), true);
    const struct {
        Driver column;
        int no, x, y;
    } pads[] = {{Mid, 40, 66, 46}, {Mid, 41, 66, 64}, {Tweeter, 42, 60, 46}, {Tweeter, 43, 60, 64}};
    for (size_t i = 0; i < pads_.size(); ++i)
        pads_[i] =
            MakeLabel(columns[size_t(pads[i].column)], QStringLiteral("Label%1").arg(pads[i].no),
                      pads[i].x, pads[i].y, QString());

    // Over the midrange column, shown on request.
    listing_ = new QListWidget(client);
    listing_->setObjectName(QStringLiteral("ListBox1"));
    listing_->setGeometry(398, 300, 174, 178);
    listing_->hide();

    calc_ = new QPushButton(QString::fromUtf8("Счёт!"), client);
    calc_->setObjectName(QStringLiteral("ButCalc"));
    calc_->setGeometry(459, 492, 79, 21);
    calc_->setToolTip(QString::fromUtf8("Выполнить расчёт"));
    // Enter on a focused button clicks it, as Space does.
    calc_->setAutoDefault(true);
    for (int d = 0; d < DriverCount; ++d) {
        level_[size_t(d)] = MakeEdit(client, 16 + d, 600 + 44 * d, 491, 40, QString(), true);
        level_[size_t(d)]->hide();
    }
}

void ResultsPanel::connectHandlers() {
    connect(calc_, &QPushButton::clicked, this, [this] { ButCalcClick(); });
    OnEvent(kmaxCaption_, QEvent::MouseButtonRelease, [this](QEvent* e) {
        Label27MouseUp(static_cast<QMouseEvent*>(e)->button());
        return true;
    });
    OnEvent(listing_->viewport(), QEvent::MouseButtonRelease, [this](QEvent* e) {
        const auto button = static_cast<QMouseEvent*>(e)->button();
        if (button == Qt::LeftButton)
            ListBox1Click();
        else
            Label27MouseUp(button);
        return false;
    });
    connect(&session_, &Session::calculationRequested, this, [this] { ButCalcClick(); });
    connect(&session_, &Session::resultsOutdated, this, [this] { ClearLowBoxes(); });
    connect(&session_, &Session::powersCleared, this, [this] {
        for (QLineEdit* e : power_) e->clear();
    });
    connect(&session_, &Session::designChanged, this, [this] {
        kmax_->clear();
        clearResults();
    });
    connect(&session_, &Session::calcFocusRequested, this, [this] { setFocusToCalc(); });
    connect(&session_, &Session::midrangeSwitched, this, [this] { listing_->hide(); });
}

void ResultsPanel::clearResults() {
    for (QLineEdit* e : power_) e->clear();
    for (QLineEdit* e : level_) e->clear();
    totalLevel_->clear();
    for (QLabel* l : pads_) l->clear();
}

void ResultsPanel::setFocusToCalc() { calc_->setFocus(); }

void ResultsPanel::calculateOnActivation() {
    // Closing a message that the calculation itself showed brings the window
    // back; recalculating then would show the same message again forever.
    if (skipNextActivation_) {
        skipNextActivation_ = false;
        return;
    }
    ButCalcClick();
}

void ResultsPanel::showCalcMessage(const QString& text) {
    QWidget* window = calc_->window();
    ShowMessage(window, text);
    // Not every platform gives the activation back after a modal box.
    skipNextActivation_ = !window->isActiveWindow();
    if (skipNextActivation_) window->activateWindow();
}

void ResultsPanel::ButCalcClick() {
    if (!calc_->window()->isActiveWindow() || inCalc_) return;
    inCalc_ = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{inCalc_};
    skipNextActivation_ = false;

    listing_->clear();
    listing_->hide();
    session_.checkInputs();
    const Design design = session_.design();
    const Evaluation ev = Evaluate(design);
    // The windows that follow the calculation learn how it ended, whichever
    // return below it takes.
    struct Notify {
        Session& session;
        const Design& design;
        const Evaluation& ev;
        bool finished = false;
        ~Notify() {
            session.finishCalculation(
                design, ev,
                finished ? QString() : Q(StopMessage(ev.stop, TextIndex(session.language()))));
        }
    } notify{session_, design, ev};
    showLinkwitz(ev.linkwitz);
    session_.showCorrectedInputs(ev);
    const auto stopWith = [this](CalcStop stop) {
        showCalcMessage(Q(StopMessage(stop, TextIndex(session_.language()))));
    };
    if (ev.pads.stop != CalcStop::None) return stopWith(ev.stop);
    if (ev.stop == CalcStop::NoCurve) return stopWith(ev.stop);
    if (ev.nearestBandIndex >= 0) nearestBandIndex_ = ev.nearestBandIndex;
    if (ev.stop != CalcStop::None) return stopWith(ev.stop);

    const PowerTexts& t = ev.texts;
    const std::string* pads[] = {&t.rsM, &t.rpM, &t.rsT, &t.rpT};
    for (size_t i = 0; i < pads_.size(); ++i) {
        pads_[i]->setText(Q(*pads[i]));
        pads_[i]->adjustSize();
    }
    const std::pair<QLineEdit*, const std::string*> boxes[] = {
        {power_[Bass], &t.bass}, {power_[Mid], &t.mid},  {power_[Tweeter], &t.tweeter},
        {level_[Bass], &t.splB}, {level_[Mid], &t.splM}, {level_[Tweeter], &t.splT},
        {totalLevel_, &t.splTot}};
    for (const auto& [box, text] : boxes) box->setText(Q(*text));
    notify.finished = true;
}

void ResultsPanel::showLinkwitz(const LinkwitzResult& r) {
    if (r.lastBandIndex) nearestBandIndex_ = *r.lastBandIndex;
    if (!r.active) {
        kmax_->clear();
        return;
    }
    kmax_->setText(QString::number(r.db[0]));
    listing_->clear();
    for (const std::string& line : r.listing) listing_->addItem(Q(line));
}

void ResultsPanel::ClearLowBoxes() {
    for (QLineEdit* e : power_) e->clear();
    for (QLabel* l : pads_) l->clear();
    ButCalcClick();
}

void ResultsPanel::Label27MouseUp(Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    const Design design = session_.design();
    if (!design.linkwitzF1 || !design.linkwitzF2) {
        listing_->clear();
        kmax_->clear();
    }
    if (listing_->isVisible()) {
        listing_->hide();
    } else if (listing_->count() > 0) {
        listing_->show();
        listing_->raise();
    }
}

void ResultsPanel::ListBox1Click() { listing_->hide(); }

}  // namespace ampora::ui
