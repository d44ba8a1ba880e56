#pragma once
// What the drivers can take, as the designer states it: part of a design, so
// that a design file carries it and the power-handling figures follow from
// the design alone (see calc/PowerHandling.h for what is made of it).

#include <array>
#include <cstdint>
#include <optional>

namespace ampora {

// A driver's long-term average power rating.
struct DriverRating {
    double ratedW = 0;  // > 0
    // Set: the IEC data-sheet kind (tweeter only), the data sheet's
    // high-pass cut frequency; the rating is then the data sheet's maximum
    // power, converted as the IEC tool converts it. Empty: the power the
    // driver itself can take over its band.
    std::optional<int32_t> iecCutHz;

    bool operator==(const DriverRating&) const = default;
};

inline constexpr double DefaultCrestFactorDb = 12;
inline constexpr double MaxRatedW = 100000;
inline constexpr int32_t MaxIecCutHz = 100000;
inline constexpr double MaxCrestFactorDb = 40;
inline constexpr double MaxTargetSplDb = 200;

struct PowerRatings {
    // Bass, midrange, tweeter (the Driver order); empty = no rating.
    std::array<std::optional<DriverRating>, 3> drivers{};
    double crestFactorDb = DefaultCrestFactorDb;  // programme peak to average
    std::optional<double> targetSplDb;            // wanted at 1 m

    bool operator==(const PowerRatings&) const = default;
    // Nothing said: a design file then needs no power-handling part at all.
    bool empty() const { return *this == PowerRatings{}; }
};

}  // namespace ampora
