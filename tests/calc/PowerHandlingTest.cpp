#include "calc/PowerHandling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "calc/DesignFile.h"
#include "inputs/Numbers.h"
#include "tests/WorkedExample.h"

namespace ampora {
namespace {

std::string Shown(double v) { return FormatResult(v, '.'); }

// The README's example, from its file: docs/three-way.ampora with the bass
// rated 100 W, the midrange 40 W and the tweeter 80 W by its IEC data sheet
// at 2000 Hz. The expected figures were worked out by hand from the
// evaluation's own numbers (received 58.6528 / 14.2750 / 7.4714 W, total
// 108.0019 dB) and the IEC tool's 28.67 W for 100 W at 2000 Hz.
TEST(PowerHandling, WorkedExampleFromItsFile) {
    const DesignRead r = ReadDesignFile(AMPORA_SOURCE_DIR "/docs/three-way-rated.ampora");
    ASSERT_TRUE(r.design) << DesignProblemText(r.problem, 1);
    const PowerHandling ph = EvaluatePowerHandling(*r.design, Evaluate(*r.design));
    ASSERT_EQ(ph.stop, CalcStop::None);
    const struct {
        double permissible;
        const char *received, *load, *headroom;
    } rows[] = {
        {100, "58.7", "58.7", "2.3"}, {40, "14.3", "35.7", "4.5"}, {22.94, "7.5", "32.6", "4.9"}};
    for (int k = 0; k < DriverCount; ++k) {
        SCOPED_TRACE(k);
        const DriverHandling& h = ph.drivers[size_t(k)];
        EXPECT_TRUE(h.rated);
        EXPECT_DOUBLE_EQ(h.permissibleW, rows[k].permissible);
        EXPECT_EQ(Shown(h.receivedW), rows[k].received);
        EXPECT_EQ(Shown(h.loadPct), rows[k].load);
        EXPECT_EQ(Shown(h.headroomDb), rows[k].headroom);
    }
    EXPECT_TRUE(ph.drivers[Tweeter].iec);
    EXPECT_EQ(ph.limiting, Bass);
    EXPECT_NEAR(ph.headroomDb, 2.3171, 1e-4);
    EXPECT_NEAR(ph.maxAmpW, 170.495, 1e-3);
    EXPECT_NEAR(ph.maxSplDb, 110.319, 1e-3);
    EXPECT_NEAR(ph.ampSineRatingW, 1351.08, 1e-2);
    EXPECT_NEAR(ph.targetAmpW, 158.419, 1e-3);
    EXPECT_TRUE(ph.targetWithinMax);
    ASSERT_EQ(ph.resistorCount, 4);
    const double atMax[] = {7.67, 6.31, 11.94, 7.50};
    const int suggested[] = {20, 15, 25, 20};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(ph.resistors[size_t(i)].atMaxW, atMax[i], 0.005) << i;
        EXPECT_EQ(ph.resistors[size_t(i)].suggestedW, suggested[i]) << i;
    }
}

struct ModelCase {
    const char* name;
    std::function<void(Design&)> change;
    CalcStop stop;
    std::array<double, DriverCount> permissible;  // 0: not rated (or not in use)
    int limiting;
    bool overloaded;  // the limiting driver gets more than it can take
};

class PowerHandlingModel : public ::testing::TestWithParam<ModelCase> {};

DriverRating InDriver(double w) { return {w, {}}; }

// Every row checks the same rules: the limit is the smallest headroom, and
// at the maximum amplifier power a real calculation loads the limiting
// driver to its permissible power and plays at the maximum SPL.
TEST_P(PowerHandlingModel, LimitIsWhereTheFirstDriverReachesItsRating) {
    const ModelCase& c = GetParam();
    Design d = testutil::WorkedExampleDesign();
    c.change(d);
    const Evaluation ev = Evaluate(d);
    const PowerHandling ph = EvaluatePowerHandling(d, ev);
    ASSERT_EQ(ph.stop, c.stop);
    for (int k = 0; k < DriverCount; ++k)
        EXPECT_NEAR(ph.drivers[size_t(k)].permissibleW, c.permissible[size_t(k)], 1e-9) << k;
    EXPECT_EQ(ph.limiting, c.limiting);
    if (c.limiting < 0) {
        EXPECT_FALSE(ph.hasLimit());
        EXPECT_EQ(ph.maxAmpW, 0.0);
        if (c.stop == CalcStop::None) {
            // Without a maximum the resistors are rated for the power now.
            ASSERT_GT(ph.resistorCount, 0);
            EXPECT_EQ(ph.resistors[0].suggestedW, SuggestedResistorW(ph.resistors[0].nowW));
        }
        return;
    }
    const DriverHandling& lim = ph.drivers[size_t(c.limiting)];
    for (const DriverHandling& h : ph.drivers) {
        if (h.rated) {
            EXPECT_GE(h.headroomDb, ph.headroomDb);
        }
    }
    EXPECT_EQ(lim.loadPct > 100.0, c.overloaded);
    EXPECT_EQ(ph.headroomDb < 0.0, c.overloaded);
    EXPECT_EQ(ph.maxAmpW < d.ampPowerW, c.overloaded);

    Design atMax = d;
    atMax.ampPowerW = int32_t(std::lround(ph.maxAmpW));
    const double rounding = atMax.ampPowerW / ph.maxAmpW;
    const Evaluation evMax = Evaluate(atMax);
    ASSERT_EQ(evMax.stop, CalcStop::None);
    // The calculation rounds each pad resistor's power to a tenth of a watt
    // before it scales the split, so powers follow the amplifier power only
    // to within those four roundings.
    const double slack = 4 * 0.05 / atMax.ampPowerW;
    const double received[] = {evMax.power.pB, evMax.power.pM, evMax.power.pT};
    EXPECT_NEAR(received[c.limiting] / rounding, lim.permissibleW, slack * lim.permissibleW);
    EXPECT_NEAR(evMax.power.lTot - 10 * std::log10(rounding), ph.maxSplDb,
                10 * std::log10(1 + slack));
    for (int i = 0; i < ph.resistorCount; ++i) {
        const ResistorHandling& r = ph.resistors[size_t(i)];
        EXPECT_GE(r.suggestedW, 2 * r.atMaxW);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ratings, PowerHandlingModel,
    ::testing::Values(
        ModelCase{"EachDriverInItself",
                  [](Design& d) {
                      d.powerHandling.drivers = {InDriver(100), InDriver(40), InDriver(30)};
                  },
                  CalcStop::None,
                  {100, 40, 30},
                  Mid,
                  false},
        // 100 W at 3000 Hz is 21.63 W in the IEC tool.
        ModelCase{"TweeterByIecDataSheet",
                  [](Design& d) {
                      d.powerHandling.drivers[Tweeter] = DriverRating{100, 3000};
                  },
                  CalcStop::None,
                  {0, 0, 21.63},
                  Tweeter,
                  false},
        // The IEC tool raises a cut below 2000 Hz: 28.67 W as at 2000 Hz.
        ModelCase{"IecCutBelow2000",
                  [](Design& d) {
                      d.powerHandling.drivers[Tweeter] = DriverRating{100, 1000};
                  },
                  CalcStop::None,
                  {0, 0, 28.67},
                  Tweeter,
                  false},
        ModelCase{"BassUnrated",
                  [](Design& d) {
                      d.powerHandling.drivers = {std::nullopt, InDriver(40), InDriver(20)};
                  },
                  CalcStop::None,
                  {0, 40, 20},
                  Tweeter,
                  false},
        // A switched-off midrange takes no part, whatever its rating.
        ModelCase{"MidrangeOff",
                  [](Design& d) {
                      d.midOn = false;
                      d.tweeterHighPass.cutHz = 2000;
                      d.powerHandling.drivers = {InDriver(100), InDriver(1), InDriver(60)};
                  },
                  CalcStop::None,
                  {100, 0, 60},
                  Bass,
                  false},
        ModelCase{"HeadroomBelowZero",
                  [](Design& d) {
                      d.powerHandling.drivers = {InDriver(100), InDriver(40), InDriver(2)};
                  },
                  CalcStop::None,
                  {100, 40, 2},
                  Tweeter,
                  true},
        // A stop keeps the ratings and shows nothing that needs the split.
        ModelCase{"CalculationStopped",
                  [](Design& d) {
                      d.tweeter.sensitivityDb = 80;
                      d.powerHandling.drivers[Bass] = InDriver(100);
                  },
                  CalcStop::TweeterTooWeak,
                  {100, 0, 0},
                  -1,
                  false},
        ModelCase{"NoRatings", [](Design&) {}, CalcStop::None, {0, 0, 0}, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PowerHandling, SuggestedResistorCoversTwiceTheAverage) {
    const std::pair<double, int> rows[] = {{0, 1},    {0.5, 1},   {0.51, 2}, {1.2, 3},  {2.6, 7},
                                           {7.6, 20}, {12.6, 30}, {25, 50},  {50, 100}, {50.01, 0}};
    for (const auto& [watts, rating] : rows) EXPECT_EQ(SuggestedResistorW(watts), rating) << watts;
}

TEST(PowerHandling, TargetIsWithinTheMaximumOrNot) {
    Design d = testutil::WorkedExampleDesign();
    d.powerHandling.drivers[Bass] = InDriver(100);
    const Evaluation ev = Evaluate(d);
    for (const auto& [target, within] : {std::pair{105.0, true}, std::pair{125.0, false}}) {
        d.powerHandling.targetSplDb = target;
        const PowerHandling ph = EvaluatePowerHandling(d, ev);
        // 10 dB above the total SPL is ten times the amplifier power.
        EXPECT_NEAR(ph.targetAmpW, d.ampPowerW * std::pow(10.0, (target - ev.power.lTot) / 10),
                    1e-9);
        EXPECT_EQ(ph.targetWithinMax, within) << target;
    }
}

struct CurveCase {
    const char* name;
    std::function<void(Design&)> change;
    int follower;
};

class LimitCurveTest : public ::testing::TestWithParam<CurveCase> {};

// Each point is the whole calculation with the crossover moved; the design's
// own point lies on the curve.
TEST_P(LimitCurveTest, EachPointIsTheDesignWithTheCrossoverMoved) {
    Design d = testutil::WorkedExampleDesign();
    d.powerHandling.drivers = {InDriver(100), InDriver(40), InDriver(8)};
    GetParam().change(d);
    const LimitCurve c = WhatMovesTheLimit(d);
    EXPECT_EQ(c.follower, GetParam().follower);
    ASSERT_TRUE(c.any());
    for (int i = 0; i < LimitCurvePoints; ++i) {
        const LimitPoint& p = c.points[size_t(i)];
        SCOPED_TRACE(p.freqHz);
        EXPECT_EQ(p.freqHz, BandGrid[size_t(LimitCurveFirstBand + i)]);
        Design moved = d;
        moved.tweeterHighPass.cutHz = p.freqHz;
        if (c.follower == Mid) moved.midLowPass.cutHz = p.freqHz;
        if (c.follower == Bass) moved.bassLowPass.cutHz = p.freqHz;
        const PowerHandling ph = EvaluatePowerHandling(moved, Evaluate(moved));
        EXPECT_EQ(p.limiting, ph.limiting);
        EXPECT_DOUBLE_EQ(p.maxSplDb, ph.maxSplDb);
    }
    // The tweeter limits here: a higher crossover takes power off it.
    EXPECT_GT(c.points.back().maxSplDb, c.points.front().maxSplDb);
}

INSTANTIATE_TEST_SUITE_P(Crossovers, LimitCurveTest,
                         ::testing::Values(CurveCase{"MidrangeEdgeFollows", [](Design&) {}, Mid},
                                           CurveCase{"MidrangeEdgeStays",
                                                     [](Design& d) { d.midLowPass.cutHz = 2500; },
                                                     -1},
                                           CurveCase{"TwoWayBassFollows",
                                                     [](Design& d) {
                                                         d.midOn = false;
                                                         d.bassLowPass.cutHz = 3200;
                                                     },
                                                     Bass}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LimitCurve, NothingWithoutRatings) {
    EXPECT_FALSE(WhatMovesTheLimit(testutil::WorkedExampleDesign()).any());
}

}  // namespace
}  // namespace ampora
