// The smoothing of 1e3, 1e4 and 1e5 measured points over six decades, the program's banded
// solver beside the defining recursion (quadratic in the points, so only up to 1e4).
#include "engine/analysis.h"
#include "tests/engine/smoothing_reference.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

Analysis measurement(int count) {
    Analysis r;
    r.Clear();
    std::mt19937_64 random(5);
    std::normal_distribution<double> gauss(0.0, 1.0);
    for (int k = 0; k < count; ++k) {
        const double t = 1e-3 * std::pow(10.0, 6.0 * k / (count - 1));
        const double clean = 2e-9 * std::exp(-t) + 4e-11 * std::exp(-0.01 * t) + 1e-13;
        r.Time.push_back(t);
        r.Current.push_back(clean * (1.0 + 0.002 * gauss(random)));
        r.Reliability.push_back(1.0);
    }
    r.NumberOfData = count;
    r.IndexOfEnding = count - 1;
    r.Smoothness = 1.0;
    return r;
}

void Smoothing(benchmark::State &state) {
    Analysis r = measurement(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const Status status = r.CalculateSmoothing();
        if (!status)
            state.SkipWithError(status.message.c_str());
        benchmark::DoNotOptimize(r.InterpolatedCurrent.values().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void LiteralSmoothing(benchmark::State &state) {
    const Analysis r = measurement(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<double> grid = reference::smoothByRecursion(r);
        benchmark::DoNotOptimize(grid.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(Smoothing)->ArgName("points")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(LiteralSmoothing)->ArgName("points")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
