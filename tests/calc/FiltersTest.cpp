#include "calc/Filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace ampora {
namespace {

constexpr int32_t Untouched = -77;

TEST(FiltersNearestFreq, SnapsToTheGridAndSetsTheIndex) {
    struct Row {
        int32_t f;
        int32_t want;
        int32_t index;
    };
    const Row rows[] = {{320, 320, 12},
                        {3200, 3225, 22},
                        {100, 101, 7},
                        {36, 40, 3},
                        {18367, 16255, 29},
                        {20, 20, 0},
                        {0, 20, 0},
                        {-19980, 20, 0},
                        {-20000, 20, 0},
                        {std::numeric_limits<int32_t>::min(), 20, 0},
                        // The last band is never returned, and above it there is nothing to return.
                        {18368, NoNearestBand, Untouched},
                        {20000, NoNearestBand, Untouched},
                        {20021, NoNearestBand, Untouched},
                        {20480, NoNearestBand, Untouched},
                        {std::numeric_limits<int32_t>::max(), NoNearestBand, Untouched}};
    for (const Row& r : rows) {
        int32_t index = Untouched;
        EXPECT_EQ(GetNearestFreq(r.f, index), r.want) << r.f;
        EXPECT_EQ(index, r.index) << r.f;
    }
    for (int i = 0; i + 1 < BandCount; ++i) {
        int32_t index = Untouched;
        EXPECT_EQ(GetNearestFreq(BandGrid[i], index), BandGrid[i]);
        EXPECT_EQ(index, i);
    }
}

TEST(FiltersTables, ShapeOfEveryTable) {
    struct Row {
        int32_t code;
        double p;
        size_t h;
        double atCut;
        double last;
    };
    const Row rows[] = {{10, 10, 30, 0.708, 0.01}, {11, 7, 18, 0.708, 0},
                        {12, 7, 15, 0.708, 0},     {13, 7, 14, 0.708, 0},
                        {20, 10, 30, 0.708, 0.01}, {21, 6, 16, 0.708, 0.01},
                        {22, 4, 11, 0.708, 0.01},  {23, 4, 9, 0.708, 0.01},
                        {30, 7, 16, 0.501, 0.01},  {31, 6, 11, 0.501, 0.01}};
    for (const Row& r : rows) {
        const auto t = FilterTable(r.code);
        ASSERT_EQ(t.size(), r.h + 1) << r.code;
        EXPECT_EQ(t[0], r.p) << r.code;
        EXPECT_EQ(t[1], 1.0) << r.code;
        EXPECT_EQ(t[static_cast<size_t>(r.p)], r.atCut) << r.code;
        EXPECT_EQ(t[r.h], r.last) << r.code;
        for (size_t j = 2; j <= r.h; ++j) EXPECT_LT(t[j], t[j - 1]) << r.code << " entry " << j;
    }
    const auto b1 = FilterTable(10), bw1 = FilterTable(20);
    EXPECT_TRUE(std::equal(b1.begin(), b1.end(), bw1.begin(), bw1.end()));
}

BandArray Chain(int32_t cutHz, int32_t code, bool highPass) {
    BandArray g;
    g.fill(1.0);
    CopyFltCoeff(g, cutHz, code, highPass);
    return g;
}

TEST(FiltersApply, SecondOrderButterworthAt1016Hz) {
    const BandArray lp = Chain(1016, 21, false);
    const BandArray wantLp = {1,     1,     1,     1,     1,     1,     1,     1,
                              1,     1,     1,     1,     1,     0.987, 0.971, 0.929,
                              0.847, 0.708, 0.534, 0.369, 0.243, 0.156, 0.099, 0.062,
                              0.04,  0.025, 0.016, 0.01,  0,     0,     0};
    EXPECT_EQ(lp, wantLp);
    const BandArray hp = Chain(1016, 21, true);
    const BandArray wantHp = {0,     0,     0,     0,     0,     0,     0,     0.01,
                              0.016, 0.025, 0.04,  0.062, 0.099, 0.156, 0.243, 0.369,
                              0.534, 0.708, 0.847, 0.929, 0.971, 0.987, 1,     1,
                              1,     1,     1,     1,     1,     1,     1};
    EXPECT_EQ(hp, wantHp);
}

TEST(FiltersApply, CutOffBeyondTheGrid) {
    BandArray wantLp;
    wantLp.fill(1.0);
    wantLp[30] = 0.847, wantLp[29] = 0.929, wantLp[28] = 0.971, wantLp[27] = 0.987;
    EXPECT_EQ(Chain(NoNearestBand, 21, false), wantLp);
    // A high-pass beyond the grid puts every band into its stop band.
    const BandArray hp = Chain(NoNearestBand, 21, true);
    EXPECT_EQ(hp[30], 0.534);
    EXPECT_EQ(hp[21], 0.01);
    EXPECT_EQ(hp[20], 0.0);
    // Any frequency that is not a grid value counts as beyond the grid.
    EXPECT_EQ(Chain(1000, 21, false), wantLp);
}

TEST(FiltersApply, CodesWithoutTableLeaveTheChain) {
    BandArray start;
    for (int i = 0; i < BandCount; ++i) start[i] = 0.5 + i * 0.01;
    for (int32_t code : {0, 9, 19, 29, 14, 24, 32, -1, 1000}) {
        BandArray g = start;
        CopyFltCoeff(g, 1016, code, false);
        CopyFltCoeff(g, 1016, code, true);
        EXPECT_EQ(g, start) << code;
    }
    BandArray mid = Chain(3225, 21, false);
    CopyFltCoeff(mid, 320, 0, true);
    EXPECT_EQ(mid, Chain(3225, 21, false));
    // Out-of-range cut bands are refused rather than read past the array.
    BandArray g = start;
    ArrToArrLP(g, 32, FilterTable(21));
    ArrToArrHP(g, -1, FilterTable(21));
    EXPECT_EQ(g, start);
}

}  // namespace
}  // namespace ampora
