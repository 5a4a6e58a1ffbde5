// The misfit figures and the residual histogram of survey-sized sets.

#include "data/MisfitStatistics.h"

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

struct Residuals {
    std::vector<double> data, predicted, error;
};

// Values of a few hundred nT, predictions within a few nT, errors of 1 to
// 5 nT; one station in a thousand without an error.
Residuals makeResiduals(int n) {
    std::mt19937_64 rng(7);
    std::normal_distribution<double> value(100, 150), misfit(0, 3);
    std::uniform_real_distribution<double> error(1, 5);
    Residuals r;
    for (int i = 0; i < n; ++i) {
        r.data.push_back(value(rng));
        r.predicted.push_back(r.data.back() + misfit(rng));
        r.error.push_back(i % 1000 == 0 ? 0 : error(rng));
    }
    return r;
}

void misfitFigures(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Residuals r = makeResiduals(n);
    for (auto _ : state) {
        MisfitStatistics misfit =
            computeMisfit(r.data.data(), r.predicted.data(), r.error.data(), n);
        benchmark::DoNotOptimize(misfit);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

} // namespace

BENCHMARK(misfitFigures)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
