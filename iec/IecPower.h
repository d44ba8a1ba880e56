#pragma once
// Real permissible tweeter power from its IEC rating: the IEC/DIN programme
// spectrum weighted by the reference (2nd order) and the real Butterworth
// high-pass on a fine 1/24-octave grid.

#include <cstdint>

namespace ampora {

inline constexpr int IecGridPoints = 241;     // 20 Hz .. 20480 Hz, 24 per octave
inline constexpr int32_t IecMinCutHz = 2000;  // lower cut frequencies are raised to this

// Grid frequency of fine point i: round(20 * 2^(i/24)).
int32_t IecGridFreq(int i);
// Index of the fine grid point nearest to freqHz (ties to the higher point);
// frequencies beyond the top of the grid give the last point, 240.
int IecNearestFreq(int32_t freqHz);

struct IecResult {
    int cutIndex = 0;
    double rRef = 0, rReal = 0;  // pass ratios of the reference and the real filter
    double power = 0;            // W, rounded to hundredths
};

// realOrderIdx: 0..3 = order 1..4, anything else order 4. cutHz as corrected
// by the window (>= IecMinCutHz). The window passes whole watts; a design's
// rating may hold a fraction.
IecResult CalcIecPower(double powerW, int32_t cutHz, int realOrderIdx);

}  // namespace ampora
