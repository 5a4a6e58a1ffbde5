// The hover readout over a survey-sized map, and undoing a crop of it.

#include "data/CTESKAdatDoc.h"
#include "interaction/CViewInteraction.h"
#include "plot/CTESKAdatView.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <random>

namespace {

// Survey lines 100 m apart, a station every 10 m, a little jitter.
void fillSurvey(CTESKAdatDoc& doc, int n) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> jitter(-0.5, 0.5);
    const int lines = static_cast<int>(std::lround(std::sqrt(n / 10.0)));
    const int perLine = (n + lines - 1) / lines;
    doc.count = n;
    for (int i = 0; i < n; ++i) {
        doc.x.push_back(100.0 * (i / perLine) + jitter(rng));
        doc.y.push_back(10.0 * (i % perLine) + jitter(rng));
        doc.data.push_back(std::sin(doc.x.back() / 700) * 100 + std::cos(doc.y.back() / 900) * 50);
    }
    doc.elevation.assign(static_cast<size_t>(n), 100.0);
    doc.error.assign(static_cast<size_t>(n), 1.0);
    doc.recomputeExtents();
    doc.dataReady = true;
}

void hoverReadout(benchmark::State& state) {
    CTESKAdatDoc doc;
    CTESKAdatView view(doc);
    CViewInteraction interaction(view);
    fillSurvey(doc, static_cast<int>(state.range(0)));
    doc.UpdateAllViews(nullptr, HintNewData);
    view.resize(1000, 800);
    // The pointer sweeps the visible part of the map a pixel at a time.
    int step = 0;
    for (auto _ : state) {
        const QPoint pointer(60 + step % 240, 60 + (step / 240) % 200);
        benchmark::DoNotOptimize(interaction.hoverText(pointer));
        ++step;
    }
}

void undoCrop(benchmark::State& state) {
    CTESKAdatDoc doc;
    fillSurvey(doc, static_cast<int>(state.range(0)));
    doc.history.setEnabled(true);
    for (auto _ : state) {
        state.PauseTiming();
        doc.cropToRegion(doc.xMin, (doc.xMin + doc.xMax) / 2, doc.yMin, doc.yMax);
        state.ResumeTiming();
        doc.undo();
    }
}

} // namespace

BENCHMARK(hoverReadout)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(undoCrop)->Arg(1000000)->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
