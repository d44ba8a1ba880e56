// Cost of one design through the command line's steps: the evaluation
// alone, reading the file's text, and a whole CSV row from the text.
#include <benchmark/benchmark.h>

#include "calc/DesignFile.h"
#include "calc/Evaluate.h"
#include "cli/EvaluationFormat.h"
#include "tests/WorkedExample.h"

namespace ampora {
namespace {

// The same inputs as BM_PowerDistribution, with a spectrum of its own.
Design ThreeWay(bool linkwitz) {
    Design d = testutil::WorkedExampleDesign();
    for (int i = 0; i < BandCount; ++i) d.spectrumLevels[size_t(i)] = -(i % 5) * 4;
    if (linkwitz) {
        d.linkwitzF1 = 50;
        d.linkwitzF2 = 25;
    }
    return d;
}

void BM_Evaluate(benchmark::State& state) {
    const Design d = ThreeWay(state.range(0) != 0);
    for (auto _ : state) {
        Evaluation e = Evaluate(d);
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_Evaluate)->ArgName("linkwitz")->Arg(0)->Arg(1);

void BM_DecodeDesign(benchmark::State& state) {
    const std::string text = EncodeDesign(ThreeWay(true));
    for (auto _ : state) {
        DesignRead r = DecodeDesign(text);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_DecodeDesign);

void BM_TextToCsvRow(benchmark::State& state) {
    const std::string text = EncodeDesign(ThreeWay(true));
    EvaluatedFile f;
    f.path = "variant-0001.ampora";
    for (auto _ : state) {
        f.design = *DecodeDesign(text).design;
        f.evaluation = Evaluate(f.design);
        std::string row = CsvRow(f, 1);
        benchmark::DoNotOptimize(row);
    }
}
BENCHMARK(BM_TextToCsvRow);

}  // namespace
}  // namespace ampora
