#pragma once
// Distribution of the amplifier power among the drivers: level matching with
// L-pads, the filter chains on the band grid, the split, the pads, the scale
// and the levels. The window reads the boxes, calls these in order and writes
// the results; everything here is plain values.

#include <array>
#include <string>

#include "calc/Filters.h"
#include "calc/Linkwitz.h"

namespace ampora {

// Why a calculation stopped; None means it ran through.
enum class CalcStop {
    None,
    MidTooWeak,      // midrange sensitivity too low
    TweeterTooWeak,  // tweeter sensitivity too low
    BadImpedance,    // impedance of a driver in use <= 0
    BadAmpPower,     // amplifier power <= 0
    NoSignal,        // no signal reaches a driver in use (or the curve has no level)
    OutOfRange,      // inputs so extreme that the arithmetic leaves the doubles
    NoCurve,         // no spectrum curve loaded
};

// Validated input values (what the input check stored).
struct DriverInputs {
    int ampPower = 100;                            // W
    double lfSens = 88, mfSens = 88, hfSens = 88;  // dB/W/m
    double lfImp = 4, mfImp = 4, hfImp = 4;        // ohm
    bool midOn = true;
};

// Level matching of midrange and tweeter against the bass (94 dB reference).
struct LevelMatch {
    CalcStop stop = CalcStop::None;
    bool clearMidEq = false;  // the equalisation check box must be cleared
                              // (also together with a stop: the clearing stays)
    bool clearHighEq = false;
    double uB = 0, iB = 0;                      // bass voltage and current for 94 dB at 1 m
    double rsM = 0, rpM = 0, rsT = 0, rpT = 0;  // ohm; rs 0 = none, rp 1e6 = none
};

// Guards against undefined input first (impedance, amplifier power), then the
// level matching of both drivers with the pads.
LevelMatch MatchLevels(const DriverInputs& in, bool midEq, bool highEq);

struct Crossover {
    int lfCut = 320, mfLow = 320, mfHigh = 3200, hfCut = 3200;  // Hz, mfLow <= mfHigh
    int lfCode = 11, mfLowCode = 11, mfHighCode = 11, hfCode = 11;
};

struct PowerResult {
    CalcStop stop = CalcStop::None;
    BandArray lfResponse{}, mfResponse{}, hfResponse{};
    double eB = 0, eM = 0, eT = 0;                  // signal power per channel
    double k = 0;                                   // scale to the amplifier power
    double pB = 0, pM = 0, pT = 0;                  // driver powers after scaling, W
    double wRsM = 0, wRpM = 0, wRsT = 0, wRpT = 0;  // resistor powers after scaling, W
    double lB = 0, lM = 0, lT = 0, lTot = 0;        // SPL at 1 m, dB
};

PowerResult DistributePower(const DriverInputs& in, const LevelMatch& pads, const Crossover& xo,
                            const BandArray& bandWeight,
                            const std::array<int, LinkwitzBands>& linkwitzDb);
// The same, building the filter chains in `filterGain` and leaving the last
// band lookup's index in `nearestBandIndex`, for a caller that keeps both.
PowerResult DistributePower(const DriverInputs& in, const LevelMatch& pads, const Crossover& xo,
                            const BandArray& bandWeight,
                            const std::array<int, LinkwitzBands>& linkwitzDb, BandArray& filterGain,
                            int32_t& nearestBandIndex);

// Texts of the result controls, in the output number format.
struct PowerTexts {
    std::string bass, mid, tweeter;        // Edit7, Edit4, Edit8
    std::string rsM, rpM, rsT, rpT;        // Label40..Label43 ("" when absent)
    std::string splB, splM, splT, splTot;  // Edit16..Edit19
};
PowerTexts FormatPowerResult(const LevelMatch& pads, const PowerResult& r, char decimalSep);

// The pad resistors as the texts outside the main window show them, the
// resistance with its unit: "Rs=1.6 Ω   6.5 W"; "" when absent or stopped.
struct PadTexts {
    std::string rsM, rpM, rsT, rpT;
};
PadTexts FormatPadsWithUnit(const LevelMatch& pads, const PowerResult& r, char decimalSep);

}  // namespace ampora
