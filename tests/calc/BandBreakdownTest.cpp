#include "calc/BandBreakdown.h"

#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include <functional>
#include <numeric>
#include <vector>

namespace ampora {
namespace {

Design WorkedExample() {
    Design d = testutil::WorkedExampleDesign();
    return d;
}

struct Case {
    const char* name;
    std::function<void(Design&)> change;
    std::vector<Sink> sinks;
    std::vector<std::string> totals;  // per sink, where the worked example states them
};

class Breakdown : public ::testing::TestWithParam<Case> {};

TEST_P(Breakdown, TotalsAreTheWindowsNumbersAndTheBandsAddUpToThem) {
    Design d = WorkedExample();
    GetParam().change(d);
    const Evaluation ev = Evaluate(d);
    ASSERT_EQ(ev.stop, CalcStop::None);
    const BandBreakdown b = MakeBandBreakdown(d, ev);
    ASSERT_EQ(b.sinks, GetParam().sinks);
    std::vector<std::string> totals;
    for (Sink s : b.sinks) totals.push_back(b.totalText[size_t(s)]);
    if (!GetParam().totals.empty()) {
        EXPECT_EQ(totals, GetParam().totals);
    }
    // Whatever the inputs: the window's power boxes, and the power part of its
    // resistor labels ("Rs=1.6   6.5 W").
    const std::string* shown[] = {&ev.texts.bass, &ev.texts.mid, &ev.texts.tweeter, &ev.texts.rsM,
                                  &ev.texts.rpM,  &ev.texts.rsT, &ev.texts.rpT};
    for (Sink s : b.sinks) {
        std::string text = *shown[int(s)];
        if (!IsDriver(s))
            text = text.substr(text.find("   ") + 3, text.size() - text.find("   ") - 5);
        EXPECT_EQ(b.totalText[size_t(s)], text) << SinkKey(s);
    }

    for (Sink s : b.sinks) {
        double sum = 0;
        for (const BandBreakdownRow& r : b.rows) sum += r.powerW[size_t(s)];
        EXPECT_NEAR(sum, b.totalW[size_t(s)], 1e-9) << SinkKey(s);
        if (!IsDriver(s)) continue;
        double shares = 0;
        for (const BandBreakdownRow& r : b.rows) shares += r.sharePct[size_t(s)];
        EXPECT_NEAR(shares, 100.0, 1e-9) << SinkKey(s);
    }
    // Sinks not in use receive nothing in any band.
    for (int s = 0; s < SinkCount; ++s) {
        if (std::find(b.sinks.begin(), b.sinks.end(), Sink(s)) != b.sinks.end()) continue;
        for (const BandBreakdownRow& r : b.rows) EXPECT_EQ(r.powerW[size_t(s)], 0.0);
    }
}

const std::vector<Sink> AllSinks = {Sink::Bass,           Sink::Mid,         Sink::Tweeter,
                                    Sink::MidSeries,      Sink::MidParallel, Sink::TweeterSeries,
                                    Sink::TweeterParallel};

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Breakdown,
    ::testing::Values(Case{"ThreeWay",
                           [](Design&) {},
                           AllSinks,
                           {"40.3", "20.6", "10.8", "6.5", "5.3", "10.2", "6.3"}},
                      Case{"Linkwitz",
                           [](Design& d) {
                               d.linkwitzF1 = 50;
                               d.linkwitzF2 = 25;
                           },
                           AllSinks,
                           {}},
                      Case{"TwoWay",
                           [](Design& d) {
                               d.midOn = false;
                               d.tweeterHighPass.cutHz = 2000;
                           },
                           {Sink::Bass, Sink::Tweeter, Sink::TweeterSeries, Sink::TweeterParallel},
                           {"54.5", "18", "16.9", "10.5"}},
                      Case{"CommaSeparator",
                           [](Design& d) { d.decimalSeparator = ','; },
                           AllSinks,
                           {"40,3", "20,6", "10,8", "6,5", "5,3", "10,2", "6,3"}},
                      Case{"NoPads",
                           [](Design& d) {
                               d.mid.sensitivityDb = 88;
                               d.tweeter.sensitivityDb = 88;
                           },
                           {Sink::Bass, Sink::Mid, Sink::Tweeter},
                           {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BandBreakdown, APadResistorTakesAFixedPartOfItsDriversBandPower) {
    const Design d = WorkedExample();
    const BandBreakdown b = MakeBandBreakdown(d, Evaluate(d));
    const BandBreakdownRow& ref = b.rows[20];
    for (const BandBreakdownRow& r : b.rows) {
        if (r.powerW[size_t(Sink::Tweeter)] < 1e-9) continue;
        EXPECT_NEAR(r.powerW[size_t(Sink::TweeterSeries)] / r.powerW[size_t(Sink::Tweeter)],
                    ref.powerW[size_t(Sink::TweeterSeries)] / ref.powerW[size_t(Sink::Tweeter)],
                    1e-12);
    }
}

TEST(BandBreakdown, ProgrammeLevelsAndBandsWithoutSignal) {
    Design d = WorkedExample();
    d.spectrumLevels[0] = NoBandLevel;
    d.spectrumLevels[1] = -40;
    d.spectrumLevels[2] = -55;  // below the graph: no level
    const BandBreakdown b = MakeBandBreakdown(d, Evaluate(d));
    EXPECT_EQ(b.rows[0].levelDb, NoBandLevel);
    EXPECT_EQ(b.rows[1].levelDb, -40);
    EXPECT_EQ(b.rows[2].levelDb, NoBandLevel);
    EXPECT_EQ(b.rows[3].levelDb, 0);
    EXPECT_EQ(b.rows[0].powerW[size_t(Sink::Bass)], 0.0);
    EXPECT_GT(b.rows[1].powerW[size_t(Sink::Bass)], 0.0);
    EXPECT_EQ(b.rows[30].freqHz, 20480);
    // A flat spectrum through the bass's low-pass: the lowest bands carry
    // the most, the top band next to nothing.
    EXPECT_GT(b.rows[5].sharePct[Bass], 5.0);
    EXPECT_LT(b.rows[30].sharePct[Bass], 0.01);
}

TEST(BandBreakdown, StoppedCalculationHasNothingToBreakDown) {
    Design d = WorkedExample();
    d.tweeter.sensitivityDb = 87;
    const BandBreakdown b = MakeBandBreakdown(d, Evaluate(d));
    EXPECT_EQ(b.stop, CalcStop::TweeterTooWeak);
    EXPECT_TRUE(b.sinks.empty());
    for (const BandBreakdownRow& r : b.rows)
        for (double w : r.powerW) EXPECT_EQ(w, 0.0);
    EXPECT_EQ(b.rows[0].levelDb, 0);  // the programme is still what it is
}

}  // namespace
}  // namespace ampora
