// Building the triangulation of survey-sized station sets, and filling a map
// plot cell by cell with linear interpolation over it.

#include "triangulation/Triangulation.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace {

enum Layout { Uniform = 0, SurveyLines = 1, Grid = 2 };

struct Stations {
    std::vector<double> x, y;
};

double uniform01(std::mt19937_64& rng) {
    return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

// n stations over a square area, in metres.
Stations makeStations(Layout layout, int32_t n) {
    std::mt19937_64 rng(42);
    Stations s;
    if (layout == Uniform) {
        const double side = 10 * std::sqrt(static_cast<double>(n));
        for (int32_t i = 0; i < n; ++i) {
            s.x.push_back(side * uniform01(rng));
            s.y.push_back(side * uniform01(rng));
        }
    } else if (layout == SurveyLines) {
        // Lines 100 m apart, a station every 10 m, up to 0.5 m of jitter.
        const int32_t lines = static_cast<int32_t>(std::lround(std::sqrt(n / 10.0)));
        const int32_t perLine = (n + lines - 1) / lines;
        for (int32_t i = 0; i < n; ++i) {
            s.x.push_back(100.0 * (i / perLine) + uniform01(rng) - 0.5);
            s.y.push_back(10.0 * (i % perLine) + uniform01(rng) - 0.5);
        }
    } else {
        const int32_t columns = static_cast<int32_t>(std::ceil(std::sqrt(n)));
        for (int32_t i = 0; i < n; ++i) {
            s.x.push_back(10.0 * (i / columns));
            s.y.push_back(10.0 * (i % columns));
        }
    }
    // The view sorts its nodes along x before building.
    std::vector<size_t> order(s.x.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return s.x[a] < s.x[b]; });
    Stations sorted;
    for (size_t i : order) {
        sorted.x.push_back(s.x[i]);
        sorted.y.push_back(s.y[i]);
    }
    return sorted;
}

const char* layoutName(Layout layout) {
    return layout == Uniform ? "uniform" : layout == SurveyLines ? "survey_lines" : "grid";
}

void BM_BuildTriangulation(benchmark::State& state) {
    const Layout layout = static_cast<Layout>(state.range(0));
    const int32_t n = static_cast<int32_t>(state.range(1));
    const Stations s = makeStations(layout, n);
    std::vector<int32_t> adjacency(static_cast<size_t>(adjacencySize(n)));
    std::vector<int32_t> adjacencyEnd(static_cast<size_t>(n));
    for (auto _ : state) {
        const int result =
            buildTriangulation(n, s.x.data(), s.y.data(), adjacency.data(), adjacencyEnd.data());
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetLabel(layoutName(layout));
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate);
}

// Every 5 x 5 pixel cell of a 3000 x 3000 pixel plot over the stations,
// carrying the start node from cell to cell as the map plot does.
void BM_InterpolateMapCells(benchmark::State& state) {
    const Layout layout = static_cast<Layout>(state.range(0));
    const int32_t n = static_cast<int32_t>(state.range(1));
    Stations s = makeStations(layout, n);
    std::vector<int32_t> adjacency(static_cast<size_t>(adjacencySize(n)));
    std::vector<int32_t> adjacencyEnd(static_cast<size_t>(n));
    buildTriangulation(n, s.x.data(), s.y.data(), adjacency.data(), adjacencyEnd.data());
    std::vector<double> z(s.x.size());
    for (size_t i = 0; i < z.size(); ++i)
        z[i] = std::sin(s.x[i] / 300) + std::cos(s.y[i] / 500);
    const double xMax = *std::max_element(s.x.begin(), s.x.end());
    const double yMax = *std::max_element(s.y.begin(), s.y.end());
    const double metresPerPixel = std::max(xMax, yMax) / 3000;
    int64_t cells = 0;
    for (auto _ : state) {
        int32_t start = 1;
        double sum = 0;
        for (int row = 0; row < 600; ++row) {
            const double py = (row * 5 + 2.5) * metresPerPixel;
            for (int column = 0; column < 600; ++column) {
                const double px = (column * 5 + 2.5) * metresPerPixel;
                double pz;
                if (interpolateLinear(n, px, py, s.x.data(), s.y.data(), z.data(), adjacency.data(),
                                      adjacencyEnd.data(), start, pz) == 0)
                    sum += pz;
            }
        }
        cells += 600 * 600;
        benchmark::DoNotOptimize(sum);
    }
    state.SetLabel(layoutName(layout));
    state.counters["cells/s"] =
        benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kIsRate);
}

// The cells of a 1266 x 939 pixel window over the middle of the stations at
// twice the scale that fits them into 2000 pixels, column by column from the
// top as the map plot visits them: every column's first search starts at the
// bottom of the column before.
void BM_InterpolateWindowColumns(benchmark::State& state) {
    const Layout layout = static_cast<Layout>(state.range(0));
    const int32_t n = static_cast<int32_t>(state.range(1));
    Stations s = makeStations(layout, n);
    std::vector<int32_t> adjacency;
    std::vector<int32_t> adjacencyEnd(static_cast<size_t>(n));
    buildTriangulation(n, s.x.data(), s.y.data(), adjacency, adjacencyEnd.data());
    std::vector<double> z(s.x.size());
    for (size_t i = 0; i < z.size(); ++i)
        z[i] = std::sin(s.x[i] / 300) + std::cos(s.y[i] / 500);
    const double xMax = *std::max_element(s.x.begin(), s.x.end());
    const double yMax = *std::max_element(s.y.begin(), s.y.end());
    const double metresPerPixel = std::max(xMax, yMax) / 4000;
    const double x0 = xMax / 2 - 633 * metresPerPixel, y1 = yMax / 2 + 470 * metresPerPixel;
    for (auto _ : state) {
        int32_t start = 1;
        double sum = 0;
        for (int column = 0; column < 253; ++column) {
            const double px = x0 + (column * 5 + 2.5) * metresPerPixel;
            for (int row = 0; row < 188; ++row) {
                const double py = y1 - (row * 5 + 2.5) * metresPerPixel;
                double pz;
                if (interpolateLinear(n, px, py, s.x.data(), s.y.data(), z.data(), adjacency.data(),
                                      adjacencyEnd.data(), start, pz) == 0)
                    sum += pz;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetLabel(layoutName(layout));
}

void buildArguments(benchmark::internal::Benchmark* b) {
    for (int64_t layout : {Uniform, SurveyLines, Grid}) {
        for (int64_t n : {10000, 100000, 1000000})
            b->Args({layout, n});
    }
}

void mapArguments(benchmark::internal::Benchmark* b) {
    for (int64_t layout : {Uniform, SurveyLines, Grid}) {
        for (int64_t n : {10000, 100000})
            b->Args({layout, n});
    }
}

} // namespace

BENCHMARK(BM_BuildTriangulation)->Apply(buildArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InterpolateMapCells)->Apply(mapArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InterpolateWindowColumns)
    ->Args({SurveyLines, 1000000})
    ->Args({Uniform, 1000000})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
