#include "calc/BandBreakdown.h"

#include "calc/LPad.h"
#include "inputs/Numbers.h"

namespace ampora {

const char* SinkKey(Sink s) {
    static const char* keys[] = {"bass",        "midrange",   "tweeter",   "midrange_rs",
                                 "midrange_rp", "tweeter_rs", "tweeter_rp"};
    return keys[int(s)];
}

std::array<bool, SinkCount> SinksInUse(const Design& design, const LevelMatch& pads) {
    const auto parallel = [](double rp) { return rp > 0.0 && rp < NoParallelResistor; };
    return {true,
            design.midOn,
            true,
            design.midOn && pads.rsM > 0.0,
            design.midOn && parallel(pads.rpM),
            pads.rsT > 0.0,
            parallel(pads.rpT)};
}

BandBreakdown MakeBandBreakdown(const Design& design, const Evaluation& ev) {
    BandBreakdown b;
    b.stop = ev.stop;
    for (int i = 0; i < BandCount; ++i) {
        b.rows[size_t(i)].freqHz = BandGrid[size_t(i)];
        const int32_t level = design.spectrumLevels[size_t(i)];
        b.rows[size_t(i)].levelDb = level >= -40 ? level : NoBandLevel;
    }
    if (ev.stop != CalcStop::None) return b;

    const PowerResult& p = ev.power;
    const std::array<bool, SinkCount> inUse = SinksInUse(design, ev.pads);
    b.totalW = {p.pB, p.pM, p.pT, p.wRsM, p.wRpM, p.wRsT, p.wRpT};
    b.ohm = {0, 0, 0, ev.pads.rsM, ev.pads.rpM, ev.pads.rsT, ev.pads.rpT};
    const std::string* driverTexts[] = {&ev.texts.bass, &ev.texts.mid, &ev.texts.tweeter};
    for (int s = 0; s < SinkCount; ++s) {
        if (!inUse[size_t(s)]) {
            b.totalW[size_t(s)] = 0;
            b.ohm[size_t(s)] = 0;
            continue;
        }
        b.sinks.push_back(Sink(s));
        b.totalText[size_t(s)] = s < DriverCount
                                     ? *driverTexts[s]
                                     : FormatResult(b.totalW[size_t(s)], design.decimalSeparator);
    }
    // Which driver's voltage each resistor carries.
    const int driverOf[SinkCount] = {Bass, Mid, Tweeter, Mid, Mid, Tweeter, Tweeter};
    for (int i = 0; i < BandCount; ++i) {
        BandBreakdownRow& row = b.rows[size_t(i)];
        const BandShare& share = ev.bands[size_t(i)];
        for (Sink s : b.sinks) {
            const int d = driverOf[int(s)];
            const double driverTotal = b.totalW[size_t(d)];
            const double part = driverTotal > 0.0 ? share.powerW[size_t(d)] / driverTotal : 0.0;
            row.powerW[size_t(s)] =
                IsDriver(s) ? share.powerW[size_t(d)] : b.totalW[size_t(s)] * part;
            if (IsDriver(s)) row.sharePct[size_t(d)] = 100.0 * part;
        }
    }
    return b;
}

}  // namespace ampora
