#include "calc/Evaluate.h"

#include <utility>

#include "i18n/Messages.h"

namespace ampora {

Evaluation Evaluate(const Design& d) {
    Evaluation ev;
    ev.linkwitz = CheckLinkwitz(d.linkwitzF1, d.linkwitzF2);

    for (int i = 0; i < BandCount; ++i) {
        ev.bands[size_t(i)].freqHz = BandGrid[size_t(i)];
        ev.bands[size_t(i)].weight = BandWeightOf(d.spectrumLevels[size_t(i)]);
    }

    DriverInputs in;
    in.ampPower = d.ampPowerW;
    in.lfSens = d.bass.sensitivityDb;
    in.mfSens = d.mid.sensitivityDb;
    in.hfSens = d.tweeter.sensitivityDb;
    in.lfImp = d.bass.impedanceOhm;
    in.mfImp = d.mid.impedanceOhm;
    in.hfImp = d.tweeter.impedanceOhm;
    in.midOn = d.midOn;
    ev.pads = MatchLevels(in, d.midEqualise, d.tweeterEqualise);
    ev.midEqCleared = ev.pads.clearMidEq;
    ev.tweeterEqCleared = ev.pads.clearHighEq;
    if (ev.pads.stop != CalcStop::None) {
        ev.stop = ev.pads.stop;
        return ev;
    }
    if (d.spectrumName.empty()) {
        ev.stop = CalcStop::NoCurve;
        return ev;
    }

    Crossover xo;
    xo.lfCode = FilterCodeOf(d.bassLowPass);
    xo.mfLowCode = FilterCodeOf(d.midHighPass);
    xo.mfHighCode = FilterCodeOf(d.midLowPass);
    xo.hfCode = FilterCodeOf(d.tweeterHighPass);
    xo.lfCut = d.bassLowPass.cutHz;
    xo.hfCut = d.tweeterHighPass.cutHz;
    ev.midLowHz = d.midHighPass.cutHz;
    ev.midHighHz = d.midLowPass.cutHz;
    if (in.midOn) {
        if (ev.midLowHz > ev.midHighHz) {
            std::swap(ev.midLowHz, ev.midHighHz);
            ev.midEdgesSwapped = true;
        }
        xo.mfLow = ev.midLowHz;
        xo.mfHigh = ev.midHighHz;
    }

    BandArray weight{};
    for (int i = 0; i < BandCount; ++i) weight[size_t(i)] = ev.bands[size_t(i)].weight;
    ev.power = DistributePower(in, ev.pads, xo, weight, ev.linkwitz.db, ev.filterGain,
                               ev.nearestBandIndex);
    ev.filterChainsBuilt = true;
    for (int i = 0; i < BandCount; ++i) {
        BandShare& b = ev.bands[size_t(i)];
        b.gain = {ev.power.lfResponse[size_t(i)], ev.power.mfResponse[size_t(i)],
                  ev.power.hfResponse[size_t(i)]};
    }
    if (ev.power.stop != CalcStop::None) {
        ev.stop = ev.power.stop;
        return ev;
    }

    // Each driver's power splits over the bands as its signal power does.
    const std::array<double, DriverCount> total = {ev.power.pB, ev.power.pM, ev.power.pT};
    const std::array<double, DriverCount> energy = {ev.power.eB, ev.power.eM, ev.power.eT};
    std::array<double, DriverCount> perEnergy{};
    for (int k = 0; k < DriverCount; ++k)
        if (energy[size_t(k)] != 0.0) perEnergy[size_t(k)] = total[size_t(k)] / energy[size_t(k)];
    for (BandShare& b : ev.bands) {
        for (int k = 0; k < DriverCount; ++k) {
            const double a = b.weight * b.gain[size_t(k)];
            b.powerW[size_t(k)] = perEnergy[size_t(k)] * (a * a);
        }
    }
    ev.texts = FormatPowerResult(ev.pads, ev.power, d.decimalSeparator);
    return ev;
}

std::string StopMessage(CalcStop stop, int language) {
    const size_t l = language >= 0 && language <= 2 ? size_t(language) : 0;
    switch (stop) {
        case CalcStop::MidTooWeak:
            return std::string(MsgSensitivity[l]) + MsgMidrange[l] + MsgTooLow[l];
        case CalcStop::TweeterTooWeak:
            return std::string(MsgSensitivity[l]) + MsgTweeter[l] + MsgTooLow[l];
        case CalcStop::BadImpedance: return MsgBadImpedance[l];
        case CalcStop::BadAmpPower: return MsgBadAmpPower[l];
        case CalcStop::NoSignal: return MsgNoSignal[l];
        case CalcStop::OutOfRange: return MsgOutOfRange[l];
        case CalcStop::NoCurve: return MsgNoCurve[l];
        case CalcStop::None: break;
    }
    return {};
}

}  // namespace ampora
