#include "calc/PowerCalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "calc/LPad.h"
#include "inputs/Numbers.h"

namespace ampora {
namespace {

using Db = std::array<int, LinkwitzBands>;

DriverInputs Example() {
    DriverInputs in;
    in.ampPower = 100;
    in.lfSens = 88, in.mfSens = 90, in.hfSens = 92;
    in.lfImp = in.mfImp = in.hfImp = 8;
    return in;
}

Crossover AllButterworth2() { return {320, 320, 3200, 3200, 21, 21, 21, 21}; }

BandArray Flat(double w = 2.0) {
    BandArray a;
    a.fill(w);
    return a;
}

struct Outcome {
    LevelMatch m;
    PowerResult r;
    PowerTexts t;
};

Outcome Calculate(const DriverInputs& in, const Crossover& xo, const Db& db = {}, char sep = '.',
                  const BandArray& w = Flat()) {
    Outcome run;
    run.m = MatchLevels(in, true, true);
    run.r = DistributePower(in, run.m, xo, w, db);
    run.t = FormatPowerResult(run.m, run.r, sep);
    return run;
}

TEST(PowerCalc, ThreeWayExample) {
    const Outcome run = Calculate(Example(), AllButterworth2());
    ASSERT_EQ(run.r.stop, CalcStop::None);
    EXPECT_NEAR(run.r.eB, 50.078608, 5e-7);
    EXPECT_NEAR(run.r.eM, 40.155792, 5e-7);
    EXPECT_NEAR(run.r.eT, 34.078608, 5e-7);
    EXPECT_NEAR(run.r.k, 1.000116, 5e-7);
    const PowerTexts& t = run.t;
    EXPECT_EQ(t.bass + " " + t.mid + " " + t.tweeter, "40.3 20.6 10.8");
    EXPECT_EQ(t.rsM, "Rs=1.6   6.5 W");
    EXPECT_EQ(t.rpM, "Rp=30.9   5.3 W");
    EXPECT_EQ(t.rsT, "Rs=3   10.2 W");
    EXPECT_EQ(t.rpT, "Rp=13.7   6.3 W");
    EXPECT_EQ(t.splB + " " + t.splM + " " + t.splT + " " + t.splTot, "104.1 103.1 102.3 108");

    const PowerTexts comma = Calculate(Example(), AllButterworth2(), {}, ',').t;
    EXPECT_EQ(comma.bass, "40,3");
    EXPECT_EQ(comma.rsM, "Rs=1,6   6,5 W");
}

TEST(PowerCalc, LinkwitzBoostFeedsTheBass) {
    const Outcome run = Calculate(Example(), AllButterworth2(), CheckLinkwitz(50, 25).db);
    ASSERT_EQ(run.r.stop, CalcStop::None);
    EXPECT_NEAR(run.r.eB, 105.294169, 5e-7);
    EXPECT_EQ(run.t.bass + " " + run.t.mid + " " + run.t.tweeter + " " + run.t.splTot,
              "58.7 14.3 7.5 108");
}

TEST(PowerCalc, TwoWay) {
    struct Row {
        int lfCut;
        const char* bass;
        const char* tweeter;
    };
    const Row rows[] = {{320, "54.5", "18"}, {2000, "66.3", "13.4"}, {3200, "68.3", "12.6"}};
    DriverInputs in = Example();
    in.midOn = false;
    for (const Row& row : rows) {
        Crossover xo = AllButterworth2();
        xo.hfCut = 2000;
        xo.lfCut = row.lfCut;
        const Outcome run = Calculate(in, xo);
        ASSERT_EQ(run.r.stop, CalcStop::None) << row.lfCut;
        EXPECT_EQ(run.t.bass, row.bass) << row.lfCut;
        EXPECT_EQ(run.t.mid, "0") << row.lfCut;
        EXPECT_EQ(run.t.tweeter, row.tweeter) << row.lfCut;
        EXPECT_EQ(run.t.rsM + run.t.rpM, "") << row.lfCut;
        EXPECT_EQ(run.t.splM, "0") << row.lfCut;
        if (row.lfCut != 320) continue;
        EXPECT_EQ(run.t.rsT, "Rs=3   16.9 W");
        EXPECT_EQ(run.t.rpT, "Rp=13.7   10.5 W");
        EXPECT_EQ(run.t.splTot, "108");
    }
}

constexpr double Huge = 1e300, NaN = std::numeric_limits<double>::quiet_NaN();

TEST(PowerCalc, Stops) {
    using S = CalcStop;
    struct Row {
        const char* name;
        S want;
        void (*edit)(DriverInputs&);
    };
    const Row rows[] = {
        {"tweeter 1 dB short", S::TweeterTooWeak, [](DriverInputs& d) { d.hfSens = 87; }},
        {"tweeter short, higher Z", S::TweeterTooWeak,
         [](DriverInputs& d) { d.hfImp = 16, d.hfSens = 88; }},
        {"tweeter short, lower Z", S::TweeterTooWeak,
         [](DriverInputs& d) { d.hfImp = 4, d.hfSens = 80; }},
        {"midrange slightly short", S::MidTooWeak, [](DriverInputs& d) { d.mfSens = 87.9; }},
        {"midrange short, lower Z", S::MidTooWeak,
         [](DriverInputs& d) { d.mfImp = 4, d.mfSens = 80; }},
        {"bass impedance 0", S::BadImpedance, [](DriverInputs& d) { d.lfImp = 0; }},
        {"tweeter impedance negative", S::BadImpedance, [](DriverInputs& d) { d.hfImp = -1; }},
        {"midrange impedance 0", S::BadImpedance, [](DriverInputs& d) { d.mfImp = 0; }},
        {"impedance NaN", S::BadImpedance, [](DriverInputs& d) { d.lfImp = NaN; }},
        {"impedance before power", S::BadImpedance,
         [](DriverInputs& d) { d.hfImp = 0, d.ampPower = 0; }},
        {"amplifier 0 W", S::BadAmpPower, [](DriverInputs& d) { d.ampPower = 0; }},
        {"amplifier negative", S::BadAmpPower, [](DriverInputs& d) { d.ampPower = -5; }},
        {"bass sensitivity huge", S::OutOfRange, [](DriverInputs& d) { d.lfSens = Huge; }},
        {"bass sensitivity -huge", S::OutOfRange, [](DriverInputs& d) { d.lfSens = -Huge; }},
        {"midrange sensitivity huge", S::OutOfRange, [](DriverInputs& d) { d.mfSens = Huge; }},
        {"tweeter sensitivity -huge", S::OutOfRange, [](DriverInputs& d) { d.hfSens = -Huge; }},
        {"midrange off ignores its boxes", S::None,
         [](DriverInputs& d) { d.midOn = false, d.mfImp = 0, d.mfSens = NaN; }},
    };
    for (const Row& r : rows) {
        DriverInputs in = Example();
        r.edit(in);
        const Outcome run = Calculate(in, AllButterworth2());
        EXPECT_EQ(run.m.stop, r.want) << r.name;
        EXPECT_EQ(run.r.stop, r.want) << r.name;
        if (r.want != CalcStop::None) {
            EXPECT_EQ(run.t.bass, "") << r.name;
        }
    }
}

TEST(PowerCalc, MatchedMidrangeGetsNoPad) {
    DriverInputs in = Example();
    in.mfSens = 88;
    const Outcome run = Calculate(in, AllButterworth2());
    ASSERT_EQ(run.r.stop, CalcStop::None);
    EXPECT_EQ(run.m.rsM, 0.0);
    EXPECT_EQ(run.m.rpM, NoParallelResistor);
    EXPECT_EQ(run.t.rsM + run.t.rpM, "");
}

TEST(PowerCalc, FailedEqualisationClearsTheBox) {
    // Bass 88 dB at 8 ohm needs 5.6437 V; this midrange needs 4.8 V at 4 ohm,
    // whose equalised pad would want a parallel resistor of -9.7 ohm.
    DriverInputs in = Example();
    in.mfImp = 4;
    in.mfSens = 94 - 20 * std::log10(2.4);
    LevelMatch m = MatchLevels(in, true, false);
    EXPECT_EQ(m.stop, CalcStop::None);
    EXPECT_TRUE(m.clearMidEq);
    EXPECT_DOUBLE_EQ(m.rsM, 0.6);
    EXPECT_DOUBLE_EQ(m.rpM, 22.8);
    // Refused after both attempts: the box is still to be cleared.
    in.mfSens = 80;
    m = MatchLevels(in, true, false);
    EXPECT_EQ(m.stop, CalcStop::MidTooWeak);
    EXPECT_TRUE(m.clearMidEq);
}

TEST(PowerCalc, NoSignal) {
    EXPECT_EQ(Calculate(Example(), AllButterworth2(), {}, '.', Flat(0)).r.stop, CalcStop::NoSignal);
    // Only the lowest band carries signal: the tweeter and midrange get none.
    BandArray lowOnly{};
    lowOnly[0] = 2;
    EXPECT_EQ(Calculate(Example(), AllButterworth2(), {}, '.', lowOnly).r.stop, CalcStop::NoSignal);
}

// Whatever the inputs, a calculation either stops or shows finite numbers
// whose powers add up to the amplifier power.
TEST(PowerCalc, RandomInputsNeverShowNonFiniteNumbers) {
    std::mt19937 rng(20240611);
    auto pick = [&](std::initializer_list<double> pool) {
        return *(pool.begin() + std::uniform_int_distribution<size_t>(0, pool.size() - 1)(rng));
    };
    auto real = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int imax = std::numeric_limits<int>::max(), imin = std::numeric_limits<int>::min();
    // Runs differ in how many fields come from the extreme pools.
    double wildShare = 0;
    auto wild = [&] { return real(0, 1) < wildShare; };
    auto sens = [&] {
        return wild() ? pick({0, -1, Huge, -Huge, NaN, 1e-300, 500, real(-200, 400)})
                      : real(80, 100);
    };
    auto imp = [&] {
        return wild() ? pick({0, -4, Huge, -Huge, NaN, 1e-300, 0.1, real(-5, 1e6)}) : real(2, 16);
    };
    auto freq = [&] {
        return wild() ? static_cast<int>(
                            pick({0, -1, imax, imin, 20480, 30000, double(integer(-100, 25000))}))
                      : integer(20, 20000);
    };
    auto code = [&] {
        return wild() ? static_cast<int>(pick({9, 19, 29, -1, double(integer(imin, imax))}))
                      : static_cast<int>(pick({0, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31}));
    };
    int ranThrough = 0;
    const int runs = 20000;
    for (int n = 0; n < runs; ++n) {
        wildShare = std::array{0.0, 0.05, 0.3, 1.0}[n % 4];
        DriverInputs in;
        in.ampPower = wild() ? static_cast<int>(pick({0, -1, imax, imin})) : integer(1, 1000);
        in.lfSens = sens(), in.mfSens = sens(), in.hfSens = sens();
        in.lfImp = imp(), in.mfImp = imp(), in.hfImp = imp();
        in.midOn = integer(0, 1) == 1;
        Crossover xo{freq(), freq(), freq(), freq(), code(), code(), code(), code()};
        if (xo.mfLow > xo.mfHigh) std::swap(xo.mfLow, xo.mfHigh);
        BandArray w;
        for (double& x : w) x = wild() ? pick({0, -2, Huge, -Huge, NaN, 1e-300}) : real(0, 3);
        Db db = CheckLinkwitz(integer(-300, 300), integer(-300, 300)).db;
        if (wild()) db[integer(0, LinkwitzBands - 1)] = integer(imin, imax);

        const LevelMatch m = MatchLevels(in, integer(0, 1) == 1, integer(0, 1) == 1);
        const PowerResult r = DistributePower(in, m, xo, w, db);
        const PowerTexts t = FormatPowerResult(m, r, '.');
        if (m.stop != CalcStop::None) {
            ASSERT_EQ(r.stop, m.stop);
        }
        if (r.stop != CalcStop::None) continue;
        ++ranThrough;
        for (const std::string* s :
             {&t.bass, &t.mid, &t.tweeter, &t.splB, &t.splM, &t.splT, &t.splTot})
            ASSERT_TRUE(ParseReal(*s, '.').has_value()) << '"' << *s << "\" in run " << n;
        for (const std::string* s : {&t.rsM, &t.rpM, &t.rsT, &t.rpT}) {
            if (s->empty()) continue;
            const size_t gap = s->find("   ");
            ASSERT_NE(gap, std::string::npos) << *s;
            ASSERT_TRUE(ParseReal(s->substr(3, gap - 3), '.').has_value()) << *s;
            ASSERT_TRUE(ParseReal(s->substr(gap + 3, s->size() - gap - 5), '.').has_value()) << *s;
        }
        const double total = r.pB + r.pM + r.pT + r.wRsM + r.wRpM + r.wRsT + r.wRpT;
        ASSERT_NEAR(total, in.ampPower, 1e-9 * in.ampPower) << "run " << n;
    }
    // The property must also have been exercised on calculations that ran through.
    EXPECT_GT(ranThrough, runs / 20);
}

}  // namespace
}  // namespace ampora
