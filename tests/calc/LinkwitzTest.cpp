#include "calc/Linkwitz.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace ampora {
namespace {

using Db = std::array<int, LinkwitzBands>;

TEST(Linkwitz, BoostPerBand) {
    struct Row {
        const char* name;
        std::optional<int> f1, f2;
        int outF1, outF2;
        Db db;
    };
    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    const Row rows[] = {
        {"typical", 50, 25, 50, 25, {8, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0}},
        {"both limited", 200, 10, 100, 20, {22, 19, 16, 13, 9, 7, 5, 3, 2, 1, 0}},
        {"exchanged", 40, 60, 60, 40, {8, 6, 4, 4, 3, 2, 2, 1, 0, 0, 0}},
        {"negative", -50, -25, 50, 25, {8, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0}},
        {"equal", 50, 50, 50, 50, {}},
        {"exchange then limited", 50, 150, 100, 50, {12, 12, 10, 8, 6, 5, 4, 3, 2, 1, 0}},
        {"F1 raised", 10, 25, 30, 25, {2, 2, 1, 1, 1, 0, 0, 0, 0, 0, 0}},
        {"extreme ints", small, big, 100, 100, {}},
    };
    for (const Row& r : rows) {
        const LinkwitzResult res = CheckLinkwitz(r.f1, r.f2);
        EXPECT_TRUE(res.active) << r.name;
        EXPECT_EQ(res.f1, r.outF1) << r.name;
        EXPECT_EQ(res.f2, r.outF2) << r.name;
        EXPECT_EQ(res.db, r.db) << r.name;
        EXPECT_EQ(res.listing.size(), 2u + LinkwitzBands) << r.name;
    }
}

TEST(Linkwitz, OffWhenEitherFrequencyIsMissing) {
    const std::optional<int> cases[][2] = {
        {50, std::nullopt}, {std::nullopt, 25}, {0, 25}, {50, 0}, {std::nullopt, std::nullopt}};
    for (const auto& c : cases) {
        const LinkwitzResult res = CheckLinkwitz(c[0], c[1]);
        EXPECT_FALSE(res.active);
        EXPECT_EQ(res.db, Db{});
        EXPECT_TRUE(res.listing.empty());
    }
}

TEST(Linkwitz, Listing) {
    const std::vector<std::string> want = {
        "Linkwitz correction:", "--------------------------------",
        "020 Hz      8 dB",     "025 Hz      6 dB",
        "032 Hz      5 dB",     "040 Hz      4 dB",
        "050 Hz      3 dB",     "063 Hz      2 dB",
        "080 Hz      1 dB",     "101 Hz      0 dB",
        "127 Hz      0 dB",     "160 Hz      0 dB",
        "202 Hz      0 dB"};
    EXPECT_EQ(CheckLinkwitz(50, 25).listing, want);
}

TEST(Linkwitz, EveryPairGivesABoostThatFallsFromTheLowestBand) {
    for (int f1 = -300; f1 <= 300; f1 += 7) {
        for (int f2 = -300; f2 <= 300; f2 += 11) {
            const LinkwitzResult res = CheckLinkwitz(f1, f2);
            if (!res.active) continue;
            ASSERT_TRUE(res.f1 >= 30 && res.f1 <= 100 && res.f2 >= 20 && res.f2 <= res.f1)
                << f1 << ' ' << f2;
            EXPECT_EQ(*std::max_element(res.db.begin(), res.db.end()), res.db[0]);
            EXPECT_GE(*std::min_element(res.db.begin(), res.db.end()), 0);
        }
    }
}

}  // namespace
}  // namespace ampora
