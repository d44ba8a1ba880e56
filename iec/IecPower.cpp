#include "iec/IecPower.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <span>

#include "calc/Filters.h"
#include "curves/CurveStore.h"
#include "inputs/Numbers.h"

namespace ampora {

namespace {

constexpr int StepsPerBand = 8;  // fine points per third of an octave
constexpr int LastPoint = IecGridPoints - 1;

static_assert(PresetIecDin.size() == BandCount);

constexpr double SignalFloor = 0.001;

using FineArray = std::array<double, IecGridPoints>;

FineArray BuildSignal() {
    std::array<double, BandCount> a{};
    for (int m = 0; m < BandCount; ++m) a[m] = std::pow(10.0, PresetIecDin[m] / 20.0);
    FineArray s{};
    for (int m = 0; m < BandCount; ++m) s[StepsPerBand * m] = a[m];
    for (int m = 0; m + 1 < BandCount; ++m) {
        const double step = (a[m + 1] - a[m]) / StepsPerBand;
        for (int k = 1; k < StepsPerBand; ++k) {
            const double v = a[m] + k * step;
            s[StepsPerBand * m + k] = v < SignalFloor ? 0.0 : v;
        }
    }
    return s;
}

// Share of the signal that passes a Butterworth high-pass given by its
// third-octave table, cut at fine point g; the table is interpolated
// linearly between its third-octave entries.
double PassRatio(std::span<const double> t, int g, const FineArray& s, double sumS) {
    const int last = static_cast<int>(t.size()) - 1;
    const int nc = static_cast<int>(RoundHalfEven(t[0]));
    FineArray h{};
    for (int i = 0; i < IecGridPoints; ++i) h[i] = i < g ? 0.0 : 1.0;

    for (int n = nc, p = g; p <= LastPoint; p += StepsPerBand, --n) {
        if (n <= 0) continue;  // above the table's top entry the response stays 1
        h[p] = t[n];
        if (n > 1) {
            const double step = (t[n - 1] - t[n]) / StepsPerBand;
            for (int k = 1; k < StepsPerBand && p + k <= LastPoint; ++k) h[p + k] = t[n] + k * step;
        }
    }
    for (int n = nc, p = g; p >= 0; p -= StepsPerBand, ++n) {
        if (n > last) {
            h[p] = 0.0;
            continue;
        }
        h[p] = t[n];
        if (n < last) {
            const double step = (t[n + 1] - t[n]) / StepsPerBand;
            for (int k = 1; k < StepsPerBand && p - k >= 0; ++k) h[p - k] = t[n] + k * step;
        }
    }

    double sum = 0.0;
    for (int i = 0; i < IecGridPoints; ++i) sum += h[i] * s[i];
    return sum / sumS;
}

// The signal and the grid never change: made once, as the power-handling
// figures ask for a conversion on every calculation.
struct Fixed {
    FineArray signal{};
    double sumS = 0.0;
    std::array<int32_t, IecGridPoints> freqHz{};
};

const Fixed& FixedData() {
    static const Fixed fixed = [] {
        Fixed f;
        f.signal = BuildSignal();
        for (double v : f.signal) f.sumS += v;
        for (int i = 0; i < IecGridPoints; ++i)
            f.freqHz[size_t(i)] = static_cast<int32_t>(RoundHalfEven(20.0 * std::exp2(i / 24.0)));
        return f;
    }();
    return fixed;
}

std::span<const double> RealTable(int realOrderIdx) {
    switch (realOrderIdx) {
        case 0: return FilterTable(20);
        case 1: return FilterTable(21);
        case 2: return FilterTable(22);
        default: return FilterTable(23);
    }
}

}  // namespace

int32_t IecGridFreq(int i) {
    if (i >= 0 && i < IecGridPoints) return FixedData().freqHz[size_t(i)];
    return static_cast<int32_t>(RoundHalfEven(20.0 * std::exp2(i / 24.0)));
}

int IecNearestFreq(int32_t freqHz) {
    const std::array<int32_t, IecGridPoints>& grid = FixedData().freqHz;
    int64_t best = 20000;
    for (int i = 0; i < IecGridPoints; ++i) {
        const int64_t d = std::llabs(int64_t{freqHz} - grid[size_t(i)]);
        if (d > best) {
            // Moving away from the very first point: the frequency lies far
            // off the grid on one side.
            if (i == 0) return freqHz > grid[0] ? LastPoint : 0;
            return i - 1;
        }
        best = d;
    }
    return LastPoint;
}

IecResult CalcIecPower(double powerW, int32_t cutHz, int realOrderIdx) {
    const FineArray& s = FixedData().signal;
    const double sumS = FixedData().sumS;

    IecResult r;
    r.cutIndex = IecNearestFreq(std::max(cutHz, IecMinCutHz));
    // The IEC reference is always the second-order filter.
    r.rRef = PassRatio(FilterTable(21), r.cutIndex, s, sumS);
    const std::span<const double> real = RealTable(realOrderIdx);
    // The usual real filter is the reference itself: the same ratio.
    r.rReal = real.data() == FilterTable(21).data() ? r.rRef : PassRatio(real, r.cutIndex, s, sumS);
    r.power = RoundHundredth(powerW * r.rRef * std::sqrt(r.rRef / r.rReal));
    return r;
}

}  // namespace ampora
