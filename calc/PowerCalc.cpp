#include "calc/PowerCalc.h"

#include <cmath>
#include <initializer_list>

#include "calc/LPad.h"
#include "inputs/Numbers.h"

namespace ampora {

namespace {

constexpr double ReferenceSpl = 94.0;  // dB at 1 m at which the drivers are compared
constexpr double MaxShortfall = 1.06;  // voltage ratio a driver may lack before it is refused

// Voltage for the reference level at 1 m.
double ReferenceVoltage(double sens, double z) {
    return std::sqrt(z) * std::pow(10.0, (ReferenceSpl - sens) / 20.0);
}

// A voltage or current that is zero or not finite comes only from absurd
// sensitivities, and every later division or logarithm would carry it.
bool Usable(double v) { return std::isfinite(v) && v != 0.0; }

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

CalcStop CheckInputs(const DriverInputs& in) {
    // !(z > 0) also catches NaN.
    if (!(in.lfImp > 0.0) || !(in.hfImp > 0.0) || (in.midOn && !(in.mfImp > 0.0)))
        return CalcStop::BadImpedance;
    if (in.ampPower <= 0) return CalcStop::BadAmpPower;
    return CalcStop::None;
}

// The level matching shared by midrange and tweeter; false when the driver
// has to be refused as too weak.
bool MatchDriver(double z, double u, double i, const LevelMatch& m, bool eq, double zBass,
                 double& rs, double& rp, bool& clearEq) {
    if (z > zBass) {
        if (!(u / m.uB <= MaxShortfall)) return false;
        if (!CalcLPad(rs, rp, eq, z, i, m.uB, zBass)) clearEq = eq;
        return true;
    }
    if (z == zBass) {
        if (i > m.iB) return false;
        CalcLPad(rs, rp, false, z, i, m.uB, zBass);
        return true;
    }
    if (eq) {
        if (CalcLPad(rs, rp, true, z, i, m.uB, zBass)) return true;
        clearEq = true;
    }
    return CalcLPad(rs, rp, false, z, i, m.uB, zBass);
}

double SumSquares(const BandArray& weight, const BandArray& response) {
    double e = 0.0;
    for (int j = 0; j < BandCount; ++j) {
        const double a = weight[j] * response[j];
        e += a * a;
    }
    return e;
}

// Fraction of the voltage that an L-pad passes on to a driver of impedance z.
double PadFraction(double rs, double rp, double z) {
    const double zp = rp * z / (rp + z);
    return zp / (rs + zp);
}

bool HasSeries(double rs) { return rs > 0.0; }
bool HasParallel(double rp) { return rp > 0.0 && rp < NoParallelResistor; }

std::string ResistorLabel(const char* prefix, double r, double watts, char sep,
                          const char* unit = "") {
    return prefix + FormatResult(r, sep) + unit + "   " + FormatResult(watts, sep) + " W";
}

}  // namespace

LevelMatch MatchLevels(const DriverInputs& in, bool midEq, bool highEq) {
    LevelMatch m;
    m.stop = CheckInputs(in);
    if (m.stop != CalcStop::None) return m;

    m.uB = ReferenceVoltage(in.lfSens, in.lfImp);
    m.iB = m.uB / in.lfImp;
    if (!Usable(m.uB) || !Usable(m.iB)) {
        m.stop = CalcStop::OutOfRange;
        return m;
    }

    if (in.midOn) {
        const double uM = ReferenceVoltage(in.mfSens, in.mfImp);
        const double iM = uM / in.mfImp;
        if (!Usable(uM) || !Usable(iM)) {
            m.stop = CalcStop::OutOfRange;
            return m;
        }
        if (!MatchDriver(in.mfImp, uM, iM, m, midEq, in.lfImp, m.rsM, m.rpM, m.clearMidEq)) {
            m.stop = CalcStop::MidTooWeak;
            return m;
        }
    }

    const double uT = ReferenceVoltage(in.hfSens, in.hfImp);
    const double iT = uT / in.hfImp;
    if (!Usable(uT) || !Usable(iT)) {
        m.stop = CalcStop::OutOfRange;
        return m;
    }
    // The tweeter is refused on its voltage whatever its impedance; the
    // impedance cases then apply their own tests on top.
    if (!(uT / m.uB <= MaxShortfall) ||
        !MatchDriver(in.hfImp, uT, iT, m, highEq, in.lfImp, m.rsT, m.rpT, m.clearHighEq)) {
        m.stop = CalcStop::TweeterTooWeak;
        return m;
    }
    return m;
}

PowerResult DistributePower(const DriverInputs& in, const LevelMatch& pads, const Crossover& xo,
                            const BandArray& bandWeight,
                            const std::array<int, LinkwitzBands>& linkwitzDb) {
    BandArray gain{};
    int32_t nearestBandIndex = 0;
    return DistributePower(in, pads, xo, bandWeight, linkwitzDb, gain, nearestBandIndex);
}

PowerResult DistributePower(const DriverInputs& in, const LevelMatch& pads, const Crossover& xo,
                            const BandArray& bandWeight,
                            const std::array<int, LinkwitzBands>& linkwitzDb, BandArray& gain,
                            int32_t& nearestBandIndex) {
    PowerResult r;
    r.stop = pads.stop != CalcStop::None ? pads.stop : CheckInputs(in);
    if (r.stop != CalcStop::None) return r;

    gain.fill(1.0);
    CopyFltCoeff(gain, GetNearestFreq(xo.lfCut, nearestBandIndex), xo.lfCode, false);
    for (int i = 0; i < BandCount; ++i) {
        r.lfResponse[i] = gain[i];
        if (i < LinkwitzBands) r.lfResponse[i] *= std::pow(10.0, linkwitzDb[i] / 20.0);
    }

    gain.fill(1.0);
    CopyFltCoeff(gain, GetNearestFreq(xo.hfCut, nearestBandIndex), xo.hfCode, true);
    r.hfResponse = gain;

    if (in.midOn) {
        // Both edges are looked up, the lower first, before either filter is
        // applied: the band kept from the last lookup is the upper edge's.
        const int32_t fLow = GetNearestFreq(xo.mfLow, nearestBandIndex);
        const int32_t fHigh = GetNearestFreq(xo.mfHigh, nearestBandIndex);
        gain.fill(1.0);
        CopyFltCoeff(gain, fHigh, xo.mfHighCode, false);
        CopyFltCoeff(gain, fLow, xo.mfLowCode, true);
        r.mfResponse = gain;
    }

    r.eB = SumSquares(bandWeight, r.lfResponse);
    r.eT = SumSquares(bandWeight, r.hfResponse);
    r.eM = in.midOn ? SumSquares(bandWeight, r.mfResponse) : 0.0;
    if (r.eB == 0.0 || r.eT == 0.0 || (in.midOn && r.eM == 0.0)) {
        r.stop = CalcStop::NoSignal;
        return r;
    }

    const double a = in.ampPower;
    const double zB = in.lfImp;
    const double e = r.eB + r.eM + r.eT;
    double pB = a * r.eB / e;
    double pM = a * r.eM / e;
    double pT = a * r.eT / e;

    const double vM = std::sqrt(pM * zB);
    const double vT = std::sqrt(pT * zB);
    const double kM = in.midOn ? PadFraction(pads.rsM, pads.rpM, in.mfImp) : 0.0;
    const double kT = PadFraction(pads.rsT, pads.rpT, in.hfImp);
    if (in.midOn) pM = (vM * kM) * (vM * kM) / in.mfImp;
    pT = (vT * kT) * (vT * kT) / in.hfImp;

    auto seriesPower = [](double rs, double v, double k) {
        if (!HasSeries(rs)) return 0.0;
        const double vr = (1.0 - k) * v;
        return RoundTenth(vr * vr / rs);
    };
    auto parallelPower = [](double rp, double v, double k) {
        if (!HasParallel(rp)) return 0.0;
        const double vr = v * k;
        return RoundTenth(vr * vr / rp);
    };
    const double rsMw = seriesPower(pads.rsM, vM, kM);
    const double rpMw = parallelPower(pads.rpM, vM, kM);
    const double rsTw = seriesPower(pads.rsT, vT, kT);
    const double rpTw = parallelPower(pads.rpT, vT, kT);

    r.k = a / (pB + pM + pT + rsMw + rpMw + rsTw + rpTw);
    r.pB = pB * r.k;
    r.pM = pM * r.k;
    r.pT = pT * r.k;
    r.wRsM = rsMw * r.k;
    r.wRpM = rpMw * r.k;
    r.wRsT = rsTw * r.k;
    r.wRpT = rpTw * r.k;

    r.lB = 10.0 * std::log10(r.pB) + in.lfSens;
    r.lM = in.midOn ? 10.0 * std::log10(r.pM) + in.mfSens : 0.0;
    r.lT = 10.0 * std::log10(r.pT) + in.hfSens;
    r.lTot = 10.0 * std::log10(std::pow(10.0, r.lB / 10.0) + std::pow(10.0, r.lM / 10.0) +
                               std::pow(10.0, r.lT / 10.0));

    // The resistors themselves are shown too, where present.
    const bool padsShowable = (!HasSeries(pads.rsM) || std::isfinite(pads.rsM)) &&
                              (!HasSeries(pads.rsT) || std::isfinite(pads.rsT));
    if (!padsShowable || !AllFinite({r.k, r.pB, r.pM, r.pT, r.wRsM, r.wRpM, r.wRsT, r.wRpT, r.lB,
                                     r.lM, r.lT, r.lTot}))
        r.stop = CalcStop::OutOfRange;
    return r;
}

PowerTexts FormatPowerResult(const LevelMatch& pads, const PowerResult& r, char decimalSep) {
    PowerTexts t;
    if (r.stop != CalcStop::None) return t;
    t.bass = FormatResult(r.pB, decimalSep);
    t.mid = FormatResult(r.pM, decimalSep);
    t.tweeter = FormatResult(r.pT, decimalSep);
    if (HasSeries(pads.rsM)) t.rsM = ResistorLabel("Rs=", pads.rsM, r.wRsM, decimalSep);
    if (HasParallel(pads.rpM)) t.rpM = ResistorLabel("Rp=", pads.rpM, r.wRpM, decimalSep);
    if (HasSeries(pads.rsT)) t.rsT = ResistorLabel("Rs=", pads.rsT, r.wRsT, decimalSep);
    if (HasParallel(pads.rpT)) t.rpT = ResistorLabel("Rp=", pads.rpT, r.wRpT, decimalSep);
    t.splB = FormatResult(r.lB, decimalSep);
    t.splM = FormatResult(r.lM, decimalSep);
    t.splT = FormatResult(r.lT, decimalSep);
    t.splTot = FormatResult(r.lTot, decimalSep);
    return t;
}

PadTexts FormatPadsWithUnit(const LevelMatch& pads, const PowerResult& r, char decimalSep) {
    PadTexts t;
    if (r.stop != CalcStop::None) return t;
    const char* ohm = " Ω";
    if (HasSeries(pads.rsM)) t.rsM = ResistorLabel("Rs=", pads.rsM, r.wRsM, decimalSep, ohm);
    if (HasParallel(pads.rpM)) t.rpM = ResistorLabel("Rp=", pads.rpM, r.wRpM, decimalSep, ohm);
    if (HasSeries(pads.rsT)) t.rsT = ResistorLabel("Rs=", pads.rsT, r.wRsT, decimalSep, ohm);
    if (HasParallel(pads.rpT)) t.rpT = ResistorLabel("Rp=", pads.rpT, r.wRpT, decimalSep, ohm);
    return t;
}

}  // namespace ampora
