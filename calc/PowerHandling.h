#pragma once
// How loud before something burns. Every power of an evaluation is
// proportional to the amplifier power (the split is scaled to add up to it),
// so the ratings of a design turn into its limits by plain arithmetic on one
// Evaluation: which driver reaches its rating first, at what amplifier power
// and SPL, and what the pad resistors burn then. The window, `evaluate` and
// `report` all take their figures from here.

#include <array>
#include <cstdint>
#include <string>

#include "calc/BandBreakdown.h"
#include "calc/Evaluate.h"

namespace ampora {

// The resistor ratings a suggestion picks from, W.
inline constexpr std::array<int, 12> ResistorRatingsW = {1,  2,  3,  5,  7,  10,
                                                         15, 20, 25, 30, 50, 100};
// A suggested resistor rating covers this many times the resistor's average
// power at the maximum, for the programme's peaks.
inline constexpr double ResistorPeakFactor = 2;

struct DriverHandling {
    bool inUse = false;        // bass and tweeter always, the midrange when it is on
    bool rated = false;        // in use and rated: the rows below mean something
    bool iec = false;          // the IEC data-sheet kind
    int32_t iecCutHz = 0;      // as stated
    int32_t iecCutUsedHz = 0;  // as the IEC tool uses it (raised to 2000 Hz)
    double ratedW = 0;
    double permissibleW = 0;  // the rating itself, or its IEC conversion
    // From the evaluation, when it went through:
    double receivedW = 0;
    double loadPct = 0;     // received / permissible
    double headroomDb = 0;  // 10·log10(permissible / received); +inf when nothing arrives
};

struct ResistorHandling {
    Sink sink = Sink::MidSeries;
    double ohm = 0;
    double nowW = 0;
    double atMaxW = 0;   // at the maximum amplifier power (0 without one)
    int suggestedW = 0;  // 0: more than the largest of ResistorRatingsW
};

struct PowerHandling {
    CalcStop stop = CalcStop::None;  // a stop leaves only the ratings and permissible powers
    std::array<DriverHandling, DriverCount> drivers{};

    // The driver with the smallest headroom, -1 when no driver in use is
    // rated (then none of the maximum figures below exist).
    int limiting = -1;
    double headroomDb = 0;  // the limiting driver's
    double maxAmpW = 0;     // average programme power, as the amplifier power box
    double maxSplDb = 0;    // at 1 m
    double crestFactorDb = DefaultCrestFactorDb;
    double ampSineRatingW = 0;  // passes the peaks at maxAmpW: maxAmpW·10^(crest/10)/2

    // The pad resistors in use, in Sink order. Suggestions cover the power at
    // the maximum, or the power now when there is no maximum.
    std::array<ResistorHandling, 4> resistors{};
    int resistorCount = 0;

    std::optional<double> targetSplDb;
    double targetAmpW = 0;         // amplifier power the target needs
    bool targetWithinMax = false;  // only meaningful with a limit

    bool hasLimit() const { return limiting >= 0; }
};

// The ratings as permissible powers, W (0: no rating): an IEC rating goes
// through the IEC tool's conversion with a real filter of second order. They
// depend on the ratings alone, so a caller that calculates often (the window,
// the curve) converts once per change of the ratings.
using PermissiblePowers = std::array<double, DriverCount>;
PermissiblePowers ConvertRatings(const PowerRatings& ratings);

// The power-handling figures of an evaluation of design, with design's own
// ratings converted on the way, or with permissible = ConvertRatings of them.
PowerHandling EvaluatePowerHandling(const Design& design, const Evaluation& ev);
PowerHandling EvaluatePowerHandling(const Design& design, const Evaluation& ev,
                                    const PermissiblePowers& permissible);

// The smallest rating of ResistorRatingsW that covers ResistorPeakFactor
// times averageW; 0 when none does.
int SuggestedResistorW(double averageW);

// The maximum SPL with the upper crossover point moved along the band grid:
// the tweeter's cut frequency, and the edge of the driver below with it when
// the two are equal in the design. Filter types and orders and every other
// input stay; each point is a whole Evaluate.
inline constexpr int LimitCurveFirstBand = 17;  // 1016 Hz
inline constexpr int LimitCurveLastBand = 27;   // 10240 Hz
inline constexpr int LimitCurvePoints = LimitCurveLastBand - LimitCurveFirstBand + 1;

struct LimitPoint {
    int32_t freqHz = 0;
    CalcStop stop = CalcStop::None;
    int limiting = -1;    // -1: stopped, or no rated driver
    double maxSplDb = 0;  // when limiting >= 0
};

struct LimitCurve {
    std::array<LimitPoint, LimitCurvePoints> points{};
    // The driver whose upper edge moves with the tweeter's cut (Mid, or
    // Bass in a two-way), -1 when it stays.
    int follower = -1;
    bool any() const {
        for (const LimitPoint& p : points)
            if (p.limiting >= 0) return true;
        return false;
    }
};

// Empty (no point with a limit) when the design has no rating.
LimitCurve WhatMovesTheLimit(const Design& design);

// A permissible power to the hundredth, as the IEC tool shows it; every
// other figure takes the result format (a tenth).
std::string FormatPermissibleW(double watts, char decimalSep);

// English keys of the drivers, as the command line names them ("bass",
// "midrange", "tweeter").
const char* DriverKey(int driver);

}  // namespace ampora
