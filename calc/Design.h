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

// One crossover filter. order: 1..4 for Bessel and Butterworth, 2 or 4 for
// Linkwitz, ignored for None.
struct FilterChoice {
    FilterType type = FilterType::Bessel;
    int order = 2;
    int32_t cutHz = 320;

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
    int32_t ampPowerW = 100;
    DriverData bass, mid, tweeter;
    FilterChoice bassLowPass{FilterType::Bessel, 2, 320};
    FilterChoice midHighPass{FilterType::Bessel, 2, 320};    // the midrange's lower edge
    FilterChoice midLowPass{FilterType::Bessel, 2, 3200};    // the midrange's upper edge
    FilterChoice tweeterHighPass{FilterType::Bessel, 2, 3200};
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
int OrderItemIndex(const FilterChoice& f);

// Band weight of a level as the graph keeps it: 0.2·10^((level+40)/40),
// 0 below -40 dB.
double BandWeightOf(int32_t levelDb);

}  // namespace ampora
