#include "iec/IecPower.h"

#include <gtest/gtest.h>

#include <limits>

#include "calc/Filters.h"

namespace ampora {
namespace {

TEST(IecPower, RealPermissiblePower) {
    struct Row {
        int32_t p, cut;
        int order;
        int cutIndex;
        double rReal;
        double power;
    };
    const Row rows[] = {
        {100, 3000, 1, 173, 0.21626, 21.63},
        {100, 2000, 1, 159, 0, 28.67},
        {100, 1000, 1, 159, 0, 28.67},
        {100, 5000, 1, 191, 0, 13.79},
        {60, 4000, 1, -1, 0, 10.24},
        {100, 3000, 0, 173, 0.29116, 18.64},
        {100, 3000, 2, 173, 0.19281, 22.9},
        {100, 3000, 3, 173, 0.18119, 23.63},
        {100, 3000, 7, 173, 0.18119, 23.63},
        {100, 3000, -1, 173, 0.18119, 23.63},
        {0, 3000, 1, 173, 0, 0},
        {-100, 3000, 1, 173, 0, -21.63},
    };
    for (const Row& r : rows) {
        const IecResult res = CalcIecPower(r.p, r.cut, r.order);
        EXPECT_DOUBLE_EQ(res.power, r.power) << r.p << " W " << r.cut << " Hz order " << r.order;
        if (r.cutIndex >= 0) {
            EXPECT_EQ(res.cutIndex, r.cutIndex) << r.cut;
        }
        if (r.cut == 3000) {
            EXPECT_NEAR(res.rRef, 0.21626, 5e-6);
        }
        if (r.rReal > 0) {
            EXPECT_NEAR(res.rReal, r.rReal, 5e-6) << r.order;
        }
    }
}

TEST(IecPower, NearestFinePoint) {
    struct Row {
        int32_t f;
        int want;
    };
    const Row rows[] = {{2000, 159},
                        {3000, 173},
                        {5000, 191},
                        {20000, 239},
                        {20020, 239},
                        {20021, 240},
                        {20480, 240},
                        {30000, 240},
                        {20, 0},
                        {0, 0},
                        {-20000, 0},
                        {std::numeric_limits<int32_t>::max(), 240},
                        {std::numeric_limits<int32_t>::min(), 0}};
    for (const Row& r : rows) EXPECT_EQ(IecNearestFreq(r.f), r.want) << r.f;
    // Every eighth fine point is a band of the third-octave grid.
    for (int m = 0; m < BandCount; ++m) EXPECT_EQ(IecGridFreq(8 * m), BandGrid[m]) << m;
}

}  // namespace
}  // namespace ampora
