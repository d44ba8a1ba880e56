// Cost of one calculation of the power distribution and of the two smaller
// calculations the windows run on every input.
#include <benchmark/benchmark.h>

#include "calc/Linkwitz.h"
#include "calc/PowerCalc.h"
#include "iec/IecPower.h"

namespace ampora {
namespace {

void BM_PowerDistribution(benchmark::State& state) {
    DriverInputs in;
    in.ampPower = 100;
    in.lfSens = 88, in.mfSens = 90, in.hfSens = 92;
    in.lfImp = in.mfImp = in.hfImp = 8;
    const Crossover xo{320, 320, 3200, 3200, 21, 21, 21, 21};
    BandArray weight;
    weight.fill(2.0);
    const auto db = CheckLinkwitz(50, 25).db;
    for (auto _ : state) {
        const LevelMatch pads = MatchLevels(in, true, true);
        const PowerResult r = DistributePower(in, pads, xo, weight, db);
        PowerTexts t = FormatPowerResult(pads, r, '.');
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_PowerDistribution);

void BM_CheckLinkwitz(benchmark::State& state) {
    for (auto _ : state) {
        LinkwitzResult r = CheckLinkwitz(50, 25);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CheckLinkwitz);

void BM_CalcIecPower(benchmark::State& state) {
    for (auto _ : state) {
        IecResult r = CalcIecPower(100, 3000, 1);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CalcIecPower);

}  // namespace
}  // namespace ampora
