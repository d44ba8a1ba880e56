#include "calc/Filters.h"

#include <cstdlib>

#include "inputs/Numbers.h"

namespace ampora {

namespace {

// Entry 0 is the index of the cut-off entry; the rest are amplitude gains at
// successive third-octave steps from the pass band into the stop band.
constexpr double Bessel1[] = {10,    1,     0.987, 0.981, 0.971, 0.954, 0.929, 0.894,
                              0.846, 0.783, 0.708, 0.621, 0.533, 0.448, 0.369, 0.303,
                              0.243, 0.195, 0.156, 0.124, 0.099, 0.078, 0.062, 0.049,
                              0.038, 0.031, 0.025, 0.02,  0.015, 0.012, 0.01};
constexpr double Bessel2[] = {7,     1,     0.985, 0.966, 0.94,  0.89,  0.808, 0.708, 0.589, 0.452,
                              0.325, 0.224, 0.148, 0.097, 0.062, 0.039, 0.025, 0.016, 0};
constexpr double Bessel3[] = {7,     1,     0.989, 0.968, 0.939, 0.893, 0.819, 0.708,
                              0.562, 0.392, 0.243, 0.135, 0.074, 0.038, 0.02,  0};
constexpr double Bessel4[] = {7,     1,     0.989, 0.968, 0.939, 0.893, 0.82, 0.708,
                              0.552, 0.363, 0.202, 0.095, 0.041, 0.017, 0};
constexpr double Butter1[] = {10,    1,     0.987, 0.981, 0.971, 0.954, 0.929, 0.894,
                              0.846, 0.783, 0.708, 0.621, 0.533, 0.448, 0.369, 0.303,
                              0.243, 0.195, 0.156, 0.124, 0.099, 0.078, 0.062, 0.049,
                              0.038, 0.031, 0.025, 0.02,  0.015, 0.012, 0.01};
constexpr double Butter2[] = {6,     1,     0.987, 0.971, 0.929, 0.847, 0.708, 0.534, 0.369,
                              0.243, 0.156, 0.099, 0.062, 0.04,  0.025, 0.016, 0.01};
constexpr double Butter3[] = {4,     1,     0.971, 0.895, 0.708, 0.446,
                              0.242, 0.124, 0.062, 0.031, 0.016, 0.01};
constexpr double Butter4[] = {4, 1, 0.987, 0.93, 0.708, 0.368, 0.153, 0.062, 0.025, 0.01};
constexpr double Linkwitz2[] = {7,     1,     0.985, 0.965, 0.92,  0.824, 0.676, 0.501, 0.342,
                                0.224, 0.143, 0.091, 0.057, 0.036, 0.023, 0.014, 0.01};
constexpr double Linkwitz4[] = {6,     1,     0.976, 0.942, 0.864, 0.716,
                                0.501, 0.284, 0.135, 0.059, 0.024, 0.01};

// Cut-off index one band beyond the grid, for cut-offs that are not grid
// frequencies.
constexpr int BeyondGrid = BandCount;

int CutEntry(std::span<const double> table) { return static_cast<int>(RoundHalfEven(table[0])); }

// A cut band within 0..31 and a cut-off entry inside the table keep every
// index below in range, whatever table a caller hands in.
bool Usable(int c, std::span<const double> table) {
    if (c < 0 || c > BandCount || table.size() < 2) return false;
    const double p = table[0];
    return p >= 1 && p <= static_cast<double>(table.size() - 1);
}

}  // namespace

int32_t GetNearestFreq(int32_t freqHz, int32_t& nearestBandIndex) {
    // 64-bit distances: a 32-bit difference overflows for extreme inputs.
    int64_t previous = 20000;
    for (int i = 0; i < BandCount; ++i) {
        const int64_t d = std::llabs(int64_t{freqHz} - BandGrid[i]);
        if (previous < d) {
            if (i == 0) {
                // Already moving away from the first band: the frequency
                // lies far outside the grid on one side or the other.
                if (freqHz > BandGrid[0]) return NoNearestBand;
                nearestBandIndex = 0;
                return BandGrid[0];
            }
            nearestBandIndex = i - 1;
            return BandGrid[i - 1];
        }
        previous = d;
    }
    return NoNearestBand;
}

std::span<const double> FilterTable(int32_t code) {
    switch (code) {
        case 10: return Bessel1;
        case 11: return Bessel2;
        case 12: return Bessel3;
        case 13: return Bessel4;
        case 20: return Butter1;
        case 21: return Butter2;
        case 22: return Butter3;
        case 23: return Butter4;
        case 30: return Linkwitz2;
        case 31: return Linkwitz4;
        default: return {};
    }
}

void ArrToArrLP(BandArray& gain, int c, std::span<const double> table) {
    if (!Usable(c, table)) return;
    const int p = CutEntry(table);
    const int h = static_cast<int>(table.size()) - 1;
    for (int b = c; b < BandCount; ++b) {
        const int j = p + (b - c);
        if (j <= h)
            gain[b] *= table[j];
        else
            gain[b] = 0.0;
    }
    for (int b = c - 1; b >= 0; --b) {
        const int j = p - (c - b);
        if (j >= 1) gain[b] *= table[j];
    }
}

void ArrToArrHP(BandArray& gain, int c, std::span<const double> table) {
    if (!Usable(c, table)) return;
    const int p = CutEntry(table);
    const int h = static_cast<int>(table.size()) - 1;
    for (int b = c; b < BandCount; ++b) {
        const int j = p - (b - c);
        if (j >= 1) gain[b] *= table[j];
    }
    for (int b = c - 1; b >= 0; --b) {
        const int j = p + (c - b);
        if (j <= h)
            gain[b] *= table[j];
        else
            gain[b] = 0.0;
    }
}

void CopyFltCoeff(BandArray& gain, int32_t cutHz, int32_t code, bool highPass) {
    int c = BeyondGrid;
    for (int i = 0; i < BandCount; ++i) {
        if (BandGrid[i] == cutHz) {
            c = i;
            break;
        }
    }
    const std::span<const double> table = FilterTable(code);
    if (table.empty()) return;
    if (highPass)
        ArrToArrHP(gain, c, table);
    else
        ArrToArrLP(gain, c, table);
}

}  // namespace ampora
