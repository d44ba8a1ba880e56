// The calculation behind "Счёт!": reads the boxes, runs the core steps in
// order and writes the results; every stop leaves the previous results.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "app/ui/Controls.h"
#include "app/ui/MainWindow.h"
#include "calc/Linkwitz.h"
#include "calc/PowerCalc.h"
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
    CheckLinkwitz();
    CheckBoxes();

    DriverInputs in;
    in.ampPower = AmpPower;
    in.lfSens = LfSens;
    in.mfSens = MfSens;
    in.hfSens = HfSens;
    in.lfImp = LfImp;
    in.mfImp = MfImp;
    in.hfImp = HfImp;
    in.midOn = CheckBoxMid->isChecked();
    const LevelMatch pads = MatchLevels(in, CBMidEq->isChecked(), CBHighEq->isChecked());
    if (pads.clearMidEq) CBMidEq->setChecked(false);
    if (pads.clearHighEq) CBHighEq->setChecked(false);
    auto stopWith = [this](CalcStop stop) {
        switch (stop) {
            case CalcStop::MidTooWeak:
                showCalcMessage(langIdx(MsgSensitivity) + langIdx(MsgMidrange) + langIdx(MsgTooLow));
                break;
            case CalcStop::TweeterTooWeak:
                showCalcMessage(langIdx(MsgSensitivity) + langIdx(MsgTweeter) + langIdx(MsgTooLow));
                break;
            case CalcStop::BadImpedance: showCalcMessage(langIdx(MsgBadImpedance)); break;
            case CalcStop::BadAmpPower: showCalcMessage(langIdx(MsgBadAmpPower)); break;
            case CalcStop::NoSignal: showCalcMessage(langIdx(MsgNoSignal)); break;
            case CalcStop::OutOfRange: showCalcMessage(langIdx(MsgOutOfRange)); break;
            case CalcStop::None: break;
        }
    };
    if (pads.stop != CalcStop::None) return stopWith(pads.stop);
    if (!CheckFreqInput()) return;
    if (CurCurveName.isEmpty()) return showCalcMessage(langIdx(MsgNoCurve));

    Crossover xo;
    xo.lfCode = FilterCode(ItemIndex(combo(5)), ItemIndex(combo(7)));
    xo.mfLowCode = FilterCode(ItemIndex(combo(1)), ItemIndex(combo(3)));
    xo.mfHighCode = FilterCode(ItemIndex(combo(2)), ItemIndex(combo(4)));
    xo.hfCode = FilterCode(ItemIndex(combo(6)), ItemIndex(combo(8)));
    xo.lfCut = LfCutFreq;
    xo.hfCut = HfCutFreq;
    if (in.midOn) {
        int lo = ParseInt(S(edit(1)->text())).value_or(MfLowCutFreq);
        int hi = ParseInt(S(edit(3)->text())).value_or(MfHighCutFreq);
        if (lo > hi) {
            std::swap(lo, hi);
            const QString t = edit(1)->text();
            edit(1)->setText(edit(3)->text());
            edit(3)->setText(t);
        }
        xo.mfLow = lo;
        xo.mfHigh = hi;
    }
    const PowerResult r =
        DistributePower(in, pads, xo, BandWeight, LinkwitzDb, FilterGain, NearestBandIndex);
    if (r.stop != CalcStop::None) return stopWith(r.stop);
    LfResponse = r.lfResponse;
    HfResponse = r.hfResponse;
    if (in.midOn) MfResponse = r.mfResponse;

    const PowerTexts t = FormatPowerResult(pads, r, DecimalSeparator());
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
}

void TF_Main::CheckLinkwitz() {
    const LinkwitzResult r =
        ampora::CheckLinkwitz(ParseInt(S(edit(28)->text())), ParseInt(S(edit(29)->text())));
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
