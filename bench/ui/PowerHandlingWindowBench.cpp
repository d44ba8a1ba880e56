// The power-handling window's share of a calculation: what it does with one
// recalculation while it is open (figures, curve, every label), and while it
// is hidden.

#include <QApplication>
#include <benchmark/benchmark.h>

#include "calc/ui/PowerHandlingWindow.h"
#include "tests/WorkedExample.h"

namespace {

ampora::Design Rated() {
    ampora::Design d = ampora::testutil::WorkedExampleDesign();
    d.linkwitzF1 = 50;
    d.linkwitzF2 = 25;
    d.powerHandling.drivers = {ampora::DriverRating{100, {}}, ampora::DriverRating{40, {}},
                               ampora::DriverRating{80, 2000}};
    d.powerHandling.targetSplDb = 110;
    return d;
}

void BM_PowerHandlingWindowUpdate(benchmark::State& state) {
    const bool shown = state.range(0) != 0;
    ampora::Design d = Rated();
    ampora::ui::PowerHandlingWindow w(nullptr);
    w.setLanguage(1);
    w.setRatings(d.powerHandling);
    if (shown) w.show();
    QCoreApplication::processEvents();
    // Two amplifier powers in turn, so that every label really changes; the
    // events after it lay the window out and paint it.
    ampora::Design other = d;
    other.ampPowerW = 120;
    const ampora::Design designs[] = {d, other};
    const ampora::Evaluation evs[] = {ampora::Evaluate(d), ampora::Evaluate(other)};
    int n = 0;
    for (auto _ : state) {
        const int i = n++ & 1;
        w.recalculated(designs[i], evs[i], QString());
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.figures().maxAmpW);
    }
}
BENCHMARK(BM_PowerHandlingWindowUpdate)
    ->ArgName("shown")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
