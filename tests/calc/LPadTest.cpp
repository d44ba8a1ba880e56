#include "calc/LPad.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ampora {
namespace {

TEST(LPad, Cases) {
    struct Row {
        const char* name;
        double u, zBass, z, i;
        bool eq;
        bool ok;
        double rs, rp;
    };
    const Row rows[] = {
        {"higher impedance, equalised", 5.6437, 8, 16, 0.25, true, true, 2.3, 8.8},
        {"higher impedance, plain", 5.6437, 8, 16, 0.25, false, true, 4.7, 38.9},
        {"small negative Rp fails and stays", 5.6437, 8, 4, 1.2, true, false, 1.2, -9.7},
        {"lower impedance, plain", 5.6437, 8, 4, 1.2, false, true, 0.6, 22.8},
        {"large negative Rp counts as none", 5.6437, 8, 7.8, 6.0 / 7.8, true, true, 0, 1000000},
        {"parallel-only pad unbuildable", 5.6437, 8, 6, 1.0, true, false, 0, -24},
        {"parallel-only pad", 2, 4, 8, 0.3, true, true, 0, 8},
        {"too weak without equalising", 2, 4, 8, 0.3, false, false, 0, 1000000},
        {"exactly the reference voltage", 2, 4, 4, 0.5, false, false, 0, 1000000},
    };
    for (const Row& r : rows) {
        double rs = -123, rp = -456;  // must be overwritten in every case
        EXPECT_EQ(CalcLPad(rs, rp, r.eq, r.z, r.i, r.u, r.zBass), r.ok) << r.name;
        EXPECT_DOUBLE_EQ(rs, r.rs) << r.name;
        EXPECT_DOUBLE_EQ(rp, r.rp) << r.name;
    }
}

TEST(LPad, DriverAsLoudAsTheBassNeedsNoPad) {
    // The driver's voltage comes out one ulp below the reference, so the
    // parallel branch divides by an exact zero.
    const double z = 6.0;
    const double u = std::sqrt(z) * std::pow(10.0, (94 - 89.8) / 20);
    const double i = u / z;
    ASSERT_LT(z * i, u);
    ASSERT_EQ(u / z - i, 0.0);
    double rs = -1, rp = -1;
    EXPECT_TRUE(CalcLPad(rs, rp, false, z, i, u, z));
    EXPECT_EQ(rs, 0.0);
    EXPECT_EQ(rp, NoParallelResistor);
}

}  // namespace
}  // namespace ampora
