#pragma once
// Where the amplifier's power goes, band by band: each driver's power and its
// share of that driver's total, and the power of each pad resistor, per band
// of the grid; with totals that are the main window's numbers.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/Evaluate.h"

namespace ampora {

// Everything that receives power: the drivers, then the L-pad resistors.
enum class Sink : int {
    Bass,
    Mid,
    Tweeter,
    MidSeries,
    MidParallel,
    TweeterSeries,
    TweeterParallel
};
inline constexpr int SinkCount = 7;
inline bool IsDriver(Sink s) { return int(s) < DriverCount; }

struct BandBreakdownRow {
    int32_t freqHz = 0;
    int32_t levelDb = NoBandLevel;               // the programme's level, NoBandLevel = none
    std::array<double, SinkCount> powerW{};      // after the filters, the pads and the scaling
    std::array<double, DriverCount> sharePct{};  // of the driver's own total
};

struct BandBreakdown {
    CalcStop stop = CalcStop::None;  // rows and totals are empty on a stop
    std::vector<Sink> sinks;         // those in use, in Sink order
    std::array<BandBreakdownRow, BandCount> rows{};
    std::array<double, SinkCount> totalW{};
    std::array<double, SinkCount> ohm{};  // a pad resistor's resistance; 0 for a driver
    // The totals as the main window shows them (its number format and separator).
    std::array<std::string, SinkCount> totalText{};
};

// Which sinks take power in a design: the midrange and its pad only when it
// is on, a pad resistor only when the level matching gave one.
std::array<bool, SinkCount> SinksInUse(const Design& design, const LevelMatch& pads);

// A resistor's power follows its driver's band by band: both are the square
// of the same channel voltage, so the resistor takes a fixed part of it.
BandBreakdown MakeBandBreakdown(const Design& design, const Evaluation& ev);

// English column names ("bass", "midrange_rs", ...), as the command line
// names its columns.
const char* SinkKey(Sink s);

}  // namespace ampora
