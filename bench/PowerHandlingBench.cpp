// Cost of the power-handling figures on top of a calculation, and of the
// curve that evaluates the design again at every crossover point.
#include <benchmark/benchmark.h>

#include "calc/PowerHandling.h"
#include "tests/WorkedExample.h"

namespace ampora {
namespace {

// The rated three-way of the README: bass 100 W, midrange 40 W, the tweeter
// 80 W by its IEC data sheet at 2000 Hz.
Design Rated() {
    Design d = testutil::WorkedExampleDesign();
    d.linkwitzF1 = 50;
    d.linkwitzF2 = 25;
    d.powerHandling.drivers = {DriverRating{100, {}}, DriverRating{40, {}}, DriverRating{80, 2000}};
    d.powerHandling.targetSplDb = 110;
    return d;
}

void BM_EvaluateWithPowerHandling(benchmark::State& state) {
    const Design d = Rated();
    for (auto _ : state) {
        const Evaluation e = Evaluate(d);
        PowerHandling ph = EvaluatePowerHandling(d, e);
        benchmark::DoNotOptimize(ph);
    }
}
BENCHMARK(BM_EvaluateWithPowerHandling);

// As the window runs it: the ratings converted once, when they change.
void BM_EvaluateWithConvertedRatings(benchmark::State& state) {
    const Design d = Rated();
    const PermissiblePowers permissible = ConvertRatings(d.powerHandling);
    for (auto _ : state) {
        const Evaluation e = Evaluate(d);
        PowerHandling ph = EvaluatePowerHandling(d, e, permissible);
        benchmark::DoNotOptimize(ph);
    }
}
BENCHMARK(BM_EvaluateWithConvertedRatings);

void BM_PowerHandlingAlone(benchmark::State& state) {
    const Design d = Rated();
    const Evaluation e = Evaluate(d);
    for (auto _ : state) {
        PowerHandling ph = EvaluatePowerHandling(d, e);
        benchmark::DoNotOptimize(ph);
    }
}
BENCHMARK(BM_PowerHandlingAlone);

void BM_WhatMovesTheLimit(benchmark::State& state) {
    const Design d = Rated();
    for (auto _ : state) {
        LimitCurve c = WhatMovesTheLimit(d);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_WhatMovesTheLimit)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ampora
