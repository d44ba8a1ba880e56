#pragma once
// The 31-band third-octave grid and the tabulated crossover filter responses.

#include <array>
#include <cstdint>
#include <span>

namespace ampora {

inline constexpr int BandCount = 31;
using BandArray = std::array<double, BandCount>;

inline constexpr std::array<int32_t, BandCount> BandGrid = {
    20,  25,   32,   40,   50,   63,   80,   101,  127,  160,  202,  254,   320,   403,   508,  640,
    806, 1016, 1280, 1613, 2032, 2560, 3225, 4064, 5120, 6451, 8127, 10240, 12902, 16255, 20480};

// GetNearestFreq's answer for frequencies whose nearest band is the last one
// or lies beyond the grid.
inline constexpr int32_t NoNearestBand = 100000;

// The grid frequency nearest to freqHz; on a grid result the band's index is
// stored in nearestBandIndex, which is left alone for the sentinel.
int32_t GetNearestFreq(int32_t freqHz, int32_t& nearestBandIndex);

// Table T[0..H] of a filter code (T[0] = cut-off entry P); empty span for a
// code without a table.
std::span<const double> FilterTable(int32_t code);

// Lays table T onto gain around cut-off band c (0..31) as a low-pass or
// high-pass, multiplying into gain.
void ArrToArrLP(BandArray& gain, int c, std::span<const double> table);
void ArrToArrHP(BandArray& gain, int c, std::span<const double> table);

// Multiplies gain by the response of filter `code` cut at cutHz (normally a
// GetNearestFreq result); a code without a table leaves gain unchanged.
void CopyFltCoeff(BandArray& gain, int32_t cutHz, int32_t code, bool highPass);

// Filter code from the item indexes of a type box and its order box.
inline int32_t FilterCode(int typeIdx, int orderIdx) {
    return typeIdx == 0 ? 0 : typeIdx * 10 + orderIdx;
}

}  // namespace ampora
