#pragma once
// Everything one calculation depends on, as plain values: what a designer
// keeps of a loudspeaker variant, and what the window and the command line
// hand to Evaluate.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "calc/Filters.h"
#include "calc/PowerRatings.h"

namespace ampora {

enum class FilterType : uint8_t { None, Bessel, Butterworth, Linkwitz };

// The inputs of a new design: what the window shows at a first start, what a
// box that holds no number falls back to, and what the settings record keeps
// until the user changes them. Every filter starts as Bessel of order 2.
inline constexpr int32_t DefaultAmpPowerW = 100;
inline constexpr int32_t DefaultLowCutHz = 320;    // bass and the midrange's lower edge
inline constexpr int32_t DefaultHighCutHz = 3200;  // the midrange's upper edge and tweeter

// One crossover filter. order: 1..4 for Bessel and Butterworth, 2 or 4 for
// Linkwitz, ignored for None.
struct FilterChoice {
    FilterType type = FilterType::Bessel;
    int order = 2;
    int32_t cutHz = DefaultLowCutHz;

    bool operator==(const FilterChoice&) const = default;
};

struct DriverData {
    double sensitivityDb = 88;  // dB/W/m, in tenths
    double impedanceOhm = 4;    // in tenths

    bool operator==(const DriverData&) const = default;
};

inline constexpr int32_t NoBandLevel = -100;  // a band without a level

struct Design {
    std::string spectrumName;  // empty: no curve loaded (the calculation stops)
    std::array<int32_t, BandCount> spectrumLevels{};  // dB, 0 at the top, NoBandLevel = none
    int32_t ampPowerW = DefaultAmpPowerW;
    DriverData bass, mid, tweeter;
    FilterChoice bassLowPass{FilterType::Bessel, 2, DefaultLowCutHz};
    FilterChoice midHighPass{FilterType::Bessel, 2, DefaultLowCutHz};  // the midrange's lower edge
    FilterChoice midLowPass{FilterType::Bessel, 2, DefaultHighCutHz};  // the midrange's upper edge
    FilterChoice tweeterHighPass{FilterType::Bessel, 2, DefaultHighCutHz};
    bool midOn = true;
    bool midEqualise = false, tweeterEqualise = false;
    std::optional<int32_t> linkwitzF1, linkwitzF2;  // Hz; either empty (or 0) = off
    PowerRatings powerHandling;                     // what the drivers can take
    char decimalSeparator = '.';                    // of the result texts

    bool operator==(const Design&) const = default;
};

// The filter code of the tables: the type list's item index × 10 + the order
// list's item index; 0 (no table) for None or an order the type lacks.
int32_t FilterCodeOf(const FilterChoice& f);
// The inverse, from the window's type and order item indexes; an index that
// names no item gives None, as the calculation treats it.
FilterChoice FilterFromItems(int typeIdx, int orderIdx, int32_t cutHz);
// The order list's item index of a filter (-1 for None), for the window.
constexpr int OrderItemIndex(const FilterChoice& f) {
    switch (f.type) {
        case FilterType::Bessel:
        case FilterType::Butterworth: return f.order >= 1 && f.order <= 4 ? f.order - 1 : -1;
        case FilterType::Linkwitz: return f.order == 2 ? 0 : f.order == 4 ? 1 : -1;
        case FilterType::None: break;
    }
    return -1;
}

// Band weight of a level as the graph keeps it: 0.2·10^((level+40)/40),
// 0 below -40 dB.
double BandWeightOf(int32_t levelDb);

}  // namespace ampora
