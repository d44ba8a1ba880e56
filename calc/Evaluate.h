#pragma once
// The whole calculation as one value-in, value-out function: the window, the
// command line and the reports all go through Evaluate, so they cannot
// disagree about a number.

#include <array>
#include <cstdint>
#include <string>

#include "calc/Design.h"
#include "calc/Linkwitz.h"
#include "calc/PowerCalc.h"

namespace ampora {

enum Driver : int { Bass = 0, Mid = 1, Tweeter = 2 };
inline constexpr int DriverCount = 3;

// One band of the grid: the spectrum's weight there, and per driver the
// gain of its filter chain (the bass's with the Linkwitz boost) and the part
// of its scaled power that falls into the band. A driver's band powers add up
// to its power; all zero when the calculation stopped before the split.
struct BandShare {
    int32_t freqHz = 0;
    double weight = 0;
    std::array<double, DriverCount> gain{};
    std::array<double, DriverCount> powerW{};
};

struct Evaluation {
    // Why the calculation stopped (None: it ran through). A stop leaves the
    // results below at their empty values, except what is said there.
    CalcStop stop = CalcStop::None;

    // Always worked out first, whatever the stop.
    LinkwitzResult linkwitz;
    // The equalise flags that the level matching had to drop (also on a stop).
    bool midEqCleared = false, tweeterEqCleared = false;

    // The midrange edges as used; swapped when the lower was above the upper
    // (only decided once the level matching and the curve check passed).
    int32_t midLowHz = 0, midHighHz = 0;
    bool midEdgesSwapped = false;

    LevelMatch pads;    // resistors, ohm (rs 0 / rp NoParallelResistor = none)
    PowerResult power;  // responses, powers, resistor powers, levels
    PowerTexts texts;   // as the window shows them, in the design's separator

    std::array<BandShare, BandCount> bands{};

    // The last filter chain built and the band of the last grid lookup that
    // found one (-1: none did), which the window keeps between calculations.
    bool filterChainsBuilt = false;
    BandArray filterGain{};
    int32_t nearestBandIndex = -1;
};

Evaluation Evaluate(const Design& design);

// The message of a stop in language 0 Russian, 1 English, 2 Belarusian; ""
// for None.
std::string StopMessage(CalcStop stop, int language);

}  // namespace ampora
