#include "calc/PowerHandling.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "iec/IecPower.h"
#include "inputs/Numbers.h"

namespace ampora {

namespace {

// The IEC reference and the real filter are both of second order: the
// conversion assumes the crossover's high-pass is what the data sheet
// measured behind.
constexpr int IecRealOrderIdx = 1;

std::array<bool, DriverCount> DriversInUse(const Design& d) { return {true, d.midOn, true}; }

// A design file refuses the IEC kind off the tweeter; a design built in code
// that still has one rates that driver as it stands.
bool IsIec(const std::optional<DriverRating>& r, int driver) {
    return r && r->iecCutHz && driver == Tweeter;
}

std::array<double, DriverCount> Received(const Evaluation& ev) {
    return {ev.power.pB, ev.power.pM, ev.power.pT};
}

double HeadroomDb(double permissibleW, double receivedW) {
    if (!(receivedW > 0)) return std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(permissibleW / receivedW);
}

// The driver with the smallest headroom (-1: none rated or nothing arrives
// anywhere) and that headroom.
std::pair<int, double> Limit(const PermissiblePowers& perm,
                             const std::array<double, DriverCount>& recv) {
    int limiting = -1;
    double least = std::numeric_limits<double>::infinity();
    for (int k = 0; k < DriverCount; ++k) {
        if (perm[size_t(k)] <= 0) continue;
        const double h = HeadroomDb(perm[size_t(k)], recv[size_t(k)]);
        if (h < least) {
            least = h;
            limiting = k;
        }
    }
    return {limiting, least};
}

double Scale(double db) { return std::pow(10.0, db / 10.0); }

// Only the drivers in use take part in the limit.
PermissiblePowers InUse(const Design& d, PermissiblePowers perm) {
    const std::array<bool, DriverCount> inUse = DriversInUse(d);
    for (int k = 0; k < DriverCount; ++k)
        if (!inUse[size_t(k)]) perm[size_t(k)] = 0;
    return perm;
}

}  // namespace

PermissiblePowers ConvertRatings(const PowerRatings& ratings) {
    PermissiblePowers out{};
    for (int k = 0; k < DriverCount; ++k) {
        const std::optional<DriverRating>& r = ratings.drivers[size_t(k)];
        if (!r || !(r->ratedW > 0)) continue;
        out[size_t(k)] = IsIec(r, k) ? CalcIecPower(r->ratedW, std::max(*r->iecCutHz, IecMinCutHz),
                                                    IecRealOrderIdx)
                                           .power
                                     : r->ratedW;
    }
    return out;
}

int SuggestedResistorW(double averageW) {
    for (int w : ResistorRatingsW)
        if (w >= ResistorPeakFactor * averageW) return w;
    return 0;
}

PowerHandling EvaluatePowerHandling(const Design& d, const Evaluation& ev) {
    return EvaluatePowerHandling(d, ev, ConvertRatings(d.powerHandling));
}

PowerHandling EvaluatePowerHandling(const Design& d, const Evaluation& ev,
                                    const PermissiblePowers& permissible) {
    PowerHandling ph;
    ph.stop = ev.stop;
    ph.crestFactorDb = d.powerHandling.crestFactorDb;
    ph.targetSplDb = d.powerHandling.targetSplDb;
    const PermissiblePowers perm = InUse(d, permissible);
    const std::array<bool, DriverCount> inUse = DriversInUse(d);
    for (int k = 0; k < DriverCount; ++k) {
        DriverHandling& h = ph.drivers[size_t(k)];
        const std::optional<DriverRating>& r = d.powerHandling.drivers[size_t(k)];
        h.inUse = inUse[size_t(k)];
        h.rated = perm[size_t(k)] > 0;
        if (!h.rated) continue;
        h.ratedW = r ? r->ratedW : perm[size_t(k)];
        h.permissibleW = perm[size_t(k)];
        if (IsIec(r, k)) {
            h.iec = true;
            h.iecCutHz = *r->iecCutHz;
            h.iecCutUsedHz = std::max(*r->iecCutHz, IecMinCutHz);
        }
    }
    if (ev.stop != CalcStop::None) return ph;

    const std::array<double, DriverCount> recv = Received(ev);
    for (int k = 0; k < DriverCount; ++k) {
        DriverHandling& h = ph.drivers[size_t(k)];
        if (!h.inUse) continue;
        h.receivedW = recv[size_t(k)];
        if (!h.rated) continue;
        h.loadPct = 100.0 * h.receivedW / h.permissibleW;
        h.headroomDb = HeadroomDb(h.permissibleW, h.receivedW);
    }
    const auto [limiting, headroom] = Limit(perm, recv);
    ph.limiting = limiting;
    const double toMax = limiting >= 0 ? Scale(headroom) : 0.0;
    if (limiting >= 0) {
        ph.headroomDb = headroom;
        ph.maxAmpW = d.ampPowerW * toMax;
        ph.maxSplDb = ev.power.lTot + headroom;
        ph.ampSineRatingW = ph.maxAmpW * Scale(ph.crestFactorDb) / 2.0;
    }

    const std::array<bool, SinkCount> sinks = SinksInUse(d, ev.pads);
    const struct {
        Sink sink;
        double ohm, watts;
    } pads[] = {{Sink::MidSeries, ev.pads.rsM, ev.power.wRsM},
                {Sink::MidParallel, ev.pads.rpM, ev.power.wRpM},
                {Sink::TweeterSeries, ev.pads.rsT, ev.power.wRsT},
                {Sink::TweeterParallel, ev.pads.rpT, ev.power.wRpT}};
    for (const auto& p : pads) {
        if (!sinks[size_t(p.sink)]) continue;
        ResistorHandling& r = ph.resistors[size_t(ph.resistorCount++)];
        r.sink = p.sink;
        r.ohm = p.ohm;
        r.nowW = p.watts;
        r.atMaxW = p.watts * toMax;
        r.suggestedW = SuggestedResistorW(limiting >= 0 ? r.atMaxW : r.nowW);
    }

    if (ph.targetSplDb) {
        ph.targetAmpW = d.ampPowerW * Scale(*ph.targetSplDb - ev.power.lTot);
        ph.targetWithinMax = limiting >= 0 && ph.targetAmpW <= ph.maxAmpW;
    }
    return ph;
}

LimitCurve WhatMovesTheLimit(const Design& design) {
    LimitCurve curve;
    const PermissiblePowers perm = InUse(design, ConvertRatings(design.powerHandling));
    bool anyRating = false;
    for (double p : perm) anyRating = anyRating || p > 0;

    // The driver below the tweeter and the filter that makes its upper edge:
    // the midrange's higher cut (the calculation swaps reversed edges), or
    // the bass low-pass in a two-way.
    Design d = design;
    FilterChoice* below = &d.bassLowPass;
    if (d.midOn) below = d.midHighPass.cutHz > d.midLowPass.cutHz ? &d.midHighPass : &d.midLowPass;
    const bool follows = below->cutHz == design.tweeterHighPass.cutHz;
    if (follows) curve.follower = d.midOn ? Mid : Bass;

    for (int i = 0; i < LimitCurvePoints; ++i) {
        LimitPoint& pt = curve.points[size_t(i)];
        pt.freqHz = BandGrid[size_t(LimitCurveFirstBand + i)];
        if (!anyRating) continue;
        d.tweeterHighPass.cutHz = pt.freqHz;
        if (follows) below->cutHz = pt.freqHz;
        const Evaluation ev = Evaluate(d);
        pt.stop = ev.stop;
        if (ev.stop != CalcStop::None) continue;
        const auto [limiting, headroom] = Limit(perm, Received(ev));
        pt.limiting = limiting;
        if (limiting >= 0) pt.maxSplDb = ev.power.lTot + headroom;
    }
    return curve;
}

std::string FormatPermissibleW(double watts, char decimalSep) {
    return FormatGeneral(RoundHundredth(watts), decimalSep);
}

const char* DriverKey(int driver) {
    static const char* keys[] = {"bass", "midrange", "tweeter"};
    return driver >= 0 && driver < DriverCount ? keys[driver] : "";
}

}  // namespace ampora
