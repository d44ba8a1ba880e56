#include "calc/Evaluate.h"

#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include <functional>
#include <vector>

namespace ampora {
namespace {

Design WorkedExample() {
    Design d = testutil::WorkedExampleDesign();
    return d;
}

std::vector<std::string> Texts(const Evaluation& e) {
    const PowerTexts& t = e.texts;
    return {t.bass, t.mid, t.tweeter, t.rsM, t.rpM, t.rsT, t.rpT, t.splB, t.splM, t.splT, t.splTot};
}

struct TextCase {
    const char* name;
    std::function<void(Design&)> change;
    std::vector<std::string> expected;
};

class EvaluateTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(EvaluateTexts, AsTheWindowShowsThem) {
    Design d = WorkedExample();
    GetParam().change(d);
    const Evaluation e = Evaluate(d);
    EXPECT_EQ(e.stop, CalcStop::None);
    EXPECT_EQ(Texts(e), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EvaluateTexts,
    ::testing::Values(
        TextCase{"ThreeWay",
                 [](Design&) {},
                 {"40.3", "20.6", "10.8", "Rs=1.6   6.5 W", "Rp=30.9   5.3 W", "Rs=3   10.2 W",
                  "Rp=13.7   6.3 W", "104.1", "103.1", "102.3", "108"}},
        TextCase{"ThreeWayComma",
                 [](Design& d) { d.decimalSeparator = ','; },
                 {"40,3", "20,6", "10,8", "Rs=1,6   6,5 W", "Rp=30,9   5,3 W", "Rs=3   10,2 W",
                  "Rp=13,7   6,3 W", "104,1", "103,1", "102,3", "108"}},
        TextCase{"TwoWay",
                 [](Design& d) {
                     d.midOn = false;
                     d.tweeterHighPass.cutHz = 2000;
                 },
                 {"54.5", "0", "18", "", "", "Rs=3   16.9 W", "Rp=13.7   10.5 W", "105.4", "0",
                  "104.6", "108"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Evaluate, LinkwitzBoostRaisesTheBassShare) {
    Design d = WorkedExample();
    d.linkwitzF1 = 50;
    d.linkwitzF2 = 25;
    const Evaluation e = Evaluate(d);
    ASSERT_EQ(e.stop, CalcStop::None);
    EXPECT_TRUE(e.linkwitz.active);
    EXPECT_EQ(e.linkwitz.db[0], 8);
    EXPECT_EQ(e.texts.bass, "58.7");
    EXPECT_EQ(e.texts.mid, "14.3");
    EXPECT_EQ(e.texts.tweeter, "7.5");
    // The boost is part of the bass's gain in the low bands only.
    EXPECT_GT(e.bands[0].gain[Bass], Evaluate(WorkedExample()).bands[0].gain[Bass]);
    EXPECT_EQ(e.bands[20].gain[Bass], Evaluate(WorkedExample()).bands[20].gain[Bass]);
}

TEST(Evaluate, BandPowersAddUpToEachDriversPower) {
    for (bool midOn : {true, false}) {
        Design d = WorkedExample();
        d.midOn = midOn;
        for (int i = 0; i < BandCount; ++i) d.spectrumLevels[size_t(i)] = -(i % 7) * 5;
        d.spectrumLevels[3] = NoBandLevel;
        const Evaluation e = Evaluate(d);
        ASSERT_EQ(e.stop, CalcStop::None);
        std::array<double, DriverCount> sum{};
        for (const BandShare& b : e.bands)
            for (int k = 0; k < DriverCount; ++k) sum[size_t(k)] += b.powerW[size_t(k)];
        EXPECT_NEAR(sum[Bass], e.power.pB, 1e-9);
        EXPECT_NEAR(sum[Mid], e.power.pM, 1e-9);
        EXPECT_NEAR(sum[Tweeter], e.power.pT, 1e-9);
        EXPECT_EQ(e.bands[3].weight, 0.0);
        EXPECT_EQ(e.bands[3].powerW, (std::array<double, 3>{}));
        EXPECT_EQ(e.bands[30].freqHz, 20480);
        // The bass gets the most of the lowest band, the tweeter of the highest.
        EXPECT_GT(e.bands[0].powerW[Bass], e.bands[0].powerW[Tweeter]);
        EXPECT_GT(e.bands[30].powerW[Tweeter], e.bands[30].powerW[Bass]);
    }
}

struct StopCase {
    const char* name;
    std::function<void(Design&)> change;
    CalcStop stop;
    const char* english;
};

class EvaluateStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(EvaluateStops, WithItsMessageAndNoResults) {
    Design d = WorkedExample();
    GetParam().change(d);
    const Evaluation e = Evaluate(d);
    EXPECT_EQ(e.stop, GetParam().stop);
    EXPECT_EQ(StopMessage(e.stop, 1), GetParam().english);
    EXPECT_EQ(e.texts.bass, "");
    for (const BandShare& b : e.bands) EXPECT_EQ(b.powerW, (std::array<double, 3>{}));
}

INSTANTIATE_TEST_SUITE_P(
    Stops, EvaluateStops,
    ::testing::Values(StopCase{"WeakMid", [](Design& d) { d.mid.sensitivityDb = 80; },
                               CalcStop::MidTooWeak, "Sensitivity of midrange is too low"},
                      StopCase{"WeakTweeter", [](Design& d) { d.tweeter.sensitivityDb = 80; },
                               CalcStop::TweeterTooWeak, "Sensitivity of tweeter is too low"},
                      StopCase{"ZeroImpedance", [](Design& d) { d.bass.impedanceOhm = 0; },
                               CalcStop::BadImpedance,
                               "Driver impedance must be greater than zero."},
                      StopCase{"ZeroPower", [](Design& d) { d.ampPowerW = 0; },
                               CalcStop::BadAmpPower, "Amplifier power must be greater than zero."},
                      StopCase{"NoCurve", [](Design& d) { d.spectrumName.clear(); },
                               CalcStop::NoCurve, "Spectral density curve not loaded."},
                      StopCase{"SilentSpectrum",
                               [](Design& d) { d.spectrumLevels.fill(NoBandLevel); },
                               CalcStop::NoSignal, "No signal falls into a driver's pass band."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Evaluate, MidrangeEdgesAreUsedInOrder) {
    Design d = WorkedExample();
    std::swap(d.midHighPass.cutHz, d.midLowPass.cutHz);
    const Evaluation swapped = Evaluate(d);
    EXPECT_TRUE(swapped.midEdgesSwapped);
    EXPECT_EQ(swapped.midLowHz, 320);
    EXPECT_EQ(swapped.midHighHz, 3200);
    EXPECT_EQ(Texts(swapped), Texts(Evaluate(WorkedExample())));
}

struct FilterCase {
    int typeIdx, orderIdx;
    FilterType type;
    int order;
    int32_t code;
};

TEST(Design, FiltersMapToTheWindowsItemsAndTheTables) {
    const FilterCase cases[] = {
        {0, -1, FilterType::None, 0, 0},     {1, 0, FilterType::Bessel, 1, 10},
        {1, 3, FilterType::Bessel, 4, 13},   {2, 1, FilterType::Butterworth, 2, 21},
        {3, 0, FilterType::Linkwitz, 2, 30}, {3, 1, FilterType::Linkwitz, 4, 31},
        {2, -1, FilterType::None, 0, 0},     {-1, 1, FilterType::None, 0, 0},
        {3, 2, FilterType::None, 0, 0},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typeIdx << "/" << c.orderIdx);
        const FilterChoice f = FilterFromItems(c.typeIdx, c.orderIdx, 500);
        EXPECT_EQ(f.type, c.type);
        EXPECT_EQ(f.order, c.order);
        EXPECT_EQ(f.cutHz, 500);
        EXPECT_EQ(FilterCodeOf(f), c.code);
        if (c.type != FilterType::None) {
            EXPECT_EQ(OrderItemIndex(f), c.orderIdx);
        }
    }
    EXPECT_EQ(FilterCodeOf({FilterType::Linkwitz, 3, 500}), 0);
    EXPECT_EQ(FilterCodeOf({FilterType::Bessel, 5, 500}), 0);
}

}  // namespace
}  // namespace ampora
