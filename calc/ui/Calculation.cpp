// The calculation behind "Счёт!": reads the boxes as a design, evaluates it
// and writes the results; every stop leaves the previous results.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "kit/Controls.h"
#include "app/ui/MainWindow.h"
#include "calc/Evaluate.h"
#include "i18n/Messages.h"
#include "inputs/Numbers.h"

namespace ampora::ui {

void TF_Main::ButCalcClick() {
    if (!isActiveWindow() || inCalc_) return;
    inCalc_ = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{inCalc_};
    skipNextActivation_ = false;

    ListBox1->clear();
    ListBox1->hide();
    CheckBoxes();
    const Design design = CurrentDesign();
    const Evaluation ev = Evaluate(design);
    // The windows that follow the calculation learn how it ended, whichever
    // return below it takes.
    struct Notify {
        TF_Main* window;
        const Design& design;
        const Evaluation& ev;
        bool finished = false;
        ~Notify() { window->notifyRecalculated(design, ev, finished); }
    } notify{this, design, ev};
    showLinkwitz(ev.linkwitz);
    if (ev.midEqCleared) CBMidEq->setChecked(false);
    if (ev.tweeterEqCleared) CBHighEq->setChecked(false);
    const auto stopWith = [this](CalcStop stop) { showCalcMessage(Q(StopMessage(stop, LangIndex))); };
    if (ev.pads.stop != CalcStop::None) return stopWith(ev.stop);
    if (!CheckFreqInput()) return;
    if (ev.stop == CalcStop::NoCurve) return stopWith(ev.stop);

    if (ev.midEdgesSwapped) {
        const QString t = edit(1)->text();
        edit(1)->setText(edit(3)->text());
        edit(3)->setText(t);
    }
    FilterGain = ev.filterGain;
    if (ev.nearestBandIndex >= 0) NearestBandIndex = ev.nearestBandIndex;
    if (ev.stop != CalcStop::None) return stopWith(ev.stop);
    LfResponse = ev.power.lfResponse;
    HfResponse = ev.power.hfResponse;
    if (design.midOn) MfResponse = ev.power.mfResponse;

    const PowerTexts& t = ev.texts;
    const std::pair<QLabel*, const std::string*> labels[] = {
        {Label40, &t.rsM}, {Label41, &t.rpM}, {Label42, &t.rsT}, {Label43, &t.rpT}};
    for (const auto& [label, text] : labels) {
        label->setText(Q(*text));
        label->adjustSize();
    }
    const std::pair<int, const std::string*> boxes[] = {
        {7, &t.bass},  {4, &t.mid},   {8, &t.tweeter}, {16, &t.splB},
        {17, &t.splM}, {18, &t.splT}, {19, &t.splTot}};
    for (const auto& [no, text] : boxes) edit(no)->setText(Q(*text));
    notify.finished = true;
}

Design TF_Main::CurrentDesign() const {
    Design d;
    d.spectrumName = S(CurCurveName);
    for (int i = 0; i < 31; ++i) {
        // The graph keeps bar heights 40 above the level; anything below the
        // plot has no level.
        const int32_t bar = BandLevel[size_t(i)];
        d.spectrumLevels[size_t(i)] = bar >= 0 ? bar - 40 : NoBandLevel;
    }
    d.ampPowerW = AmpPower;
    d.bass = {LfSens, LfImp};
    d.mid = {MfSens, MfImp};
    d.tweeter = {HfSens, HfImp};
    d.bassLowPass = FilterFromItems(ItemIndex(combo(5)), ItemIndex(combo(7)), LfCutFreq);
    d.midHighPass = FilterFromItems(ItemIndex(combo(1)), ItemIndex(combo(3)),
                                    ParseInt(S(edit(1)->text())).value_or(MfLowCutFreq));
    d.midLowPass = FilterFromItems(ItemIndex(combo(2)), ItemIndex(combo(4)),
                                   ParseInt(S(edit(3)->text())).value_or(MfHighCutFreq));
    d.tweeterHighPass = FilterFromItems(ItemIndex(combo(6)), ItemIndex(combo(8)), HfCutFreq);
    d.midOn = CheckBoxMid->isChecked();
    d.midEqualise = CBMidEq->isChecked();
    d.tweeterEqualise = CBHighEq->isChecked();
    d.linkwitzF1 = ParseInt(S(edit(28)->text()));
    d.linkwitzF2 = ParseInt(S(edit(29)->text()));
    d.decimalSeparator = DecimalSeparator();
    return d;
}

void TF_Main::showLinkwitz(const LinkwitzResult& r) {
    LinkwitzDb = r.db;
    if (r.lastBandIndex) NearestBandIndex = *r.lastBandIndex;
    if (!r.active) {
        edit(30)->clear();
        return;
    }
    edit(28)->setText(QString::number(r.f1));
    edit(29)->setText(QString::number(r.f2));
    edit(30)->setText(QString::number(r.db[0]));
    ListBox1->clear();
    for (const std::string& line : r.listing) ListBox1->addItem(Q(line));
}

void TF_Main::Label27MouseUp(Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    if (!ParseInt(S(edit(28)->text())) || !ParseInt(S(edit(29)->text()))) {
        ListBox1->clear();
        edit(30)->clear();
    }
    if (ListBox1->isVisible()) {
        ListBox1->hide();
    } else if (ListBox1->count() > 0) {
        ListBox1->show();
        ListBox1->raise();
    }
}

void TF_Main::ListBox1Click() { ListBox1->hide(); }

}  // namespace ampora::ui
