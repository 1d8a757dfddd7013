// The three e_ref sweeps on a 6,001-point grid (1 ms to 1000 s, three traps and noise), the
// program's own beside the literal scan of every grid point. items_per_second counts trials,
// so the ratio of the two rates is the speed-up; the literal combined sweep runs over a
// hundredth of the range (-0.01..0.01 s^-1), the program's over the whole -1..1 s^-1.
#include "engine/analysis.h"
#include "tests/engine/eref_sweep_reference.h"
#include "tests/engine/sweep_transients.h"

#include <benchmark/benchmark.h>

namespace {

const Analysis &measurement() {
    static const Analysis record = [] {
        Transient shape;
        shape.traps = {{0.02, 1e11}, {0.5, 3e11}, {20.0, 1e11}};
        shape.smoothNoise = 1e-3;
        shape.whiteNoise = 1e-4;
        shape.seed = 11;
        return makeTransient(shape);
    }();
    return record;
}

// The limits of the combined sweep: the whole range, or the hundredth the literal scan can afford.
Analysis prepared(int mode, bool literal) {
    Analysis r = measurement();
    const double limit = mode == 2 && literal ? 0.01 : 1.0;
    r.LastNegativeEref = -limit;
    r.LastPositiveEref = limit;
    return r;
}

template <bool Literal>
void sweep(benchmark::State &state) {
    const int mode = static_cast<int>(state.range(0));
    Analysis r = prepared(mode, Literal);
    Progress progress;
    for (auto _ : state) {
        r.SweepEref[mode].clear();
        r.SweepEmissionRate[mode].clear();
        r.SweepDensity[mode].clear();
        const Status status = Literal ? reference::analyzeEref(r, mode, &progress) : r.AnalyzeEref(mode, &progress);
        if (!status)
            state.SkipWithError(status.message.c_str());
        benchmark::DoNotOptimize(r.SweepDensity[mode].data());
    }
    state.SetItemsProcessed(state.iterations() * progress.total.load());
    state.counters["accepted"] = static_cast<double>(r.SweepEref[mode].size());
}

void sweepModes(benchmark::internal::Benchmark *b) {
    b->ArgName("mode")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
}

BENCHMARK(sweep<false>)->Name("Sweep")->Apply(sweepModes);
BENCHMARK(sweep<true>)->Name("LiteralSweep")->Apply(sweepModes);

}  // namespace
