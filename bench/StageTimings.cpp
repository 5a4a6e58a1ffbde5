// Wall-clock time of each stage from an observation file to a painted
// window, on one file: reading, the view's triangulation (with its sort and
// permutation and the build itself timed again on their own), the first
// paint of the window, a repaint of a 200-pixel strip as scrolling exposes
// it, and one magnify step. Prints one table row of milliseconds; `--header`
// prints the header line first. Columns: read (the observation file),
// sort (sort along x and the permutations), build (the triangulation),
// other (the rest of the view's triangulation step: conversion to plot units
// and the duplicate scan), triang (that whole step), paint1 (the window's
// first paint at the default magnification), strip200 (a 200-pixel strip at
// magnification 1), magnify (one magnify step with its full repaint) and
// to_paint (read + triang + paint1: file to first painted window).
//
//   stage_timings [--header] FILE [WINDOW_WIDTH WINDOW_HEIGHT]
//   stage_timings --header
//   stage_timings --digest FILE
//   stage_timings --repaints FILE [WINDOW_WIDTH WINDOW_HEIGHT]
//
// --repaints prints instead the least and the median time of 21 full-window
// repaints at magnification 1 (window at the canvas's top left) and of 21
// after one magnify step (window at the canvas's middle): repeated paints
// of one picture, for comparing builds on a noisy machine.
// --digest prints instead a 64-bit FNV-1a hash of the view's node arrays
// (order, positions, values, lists) and one of the first painted window, so
// that a change meant to keep every result can be checked on survey-sized
// files against the hashes of the build before it.

#include "commands/ViewCommands.h"
#include "data/CTESKAdatDoc.h"
#include "platform/DeviceContext.h"
#include "platform/MessageBox.h"
#include "plot/CTESKAdatView.h"
#include "plot/NodeOrder.h"
#include "triangulation/Triangulation.h"

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

// Median of `runs` timings of `work`.
double medianMilliseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(millisecondsOf(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Paints the part of the canvas under a window scrolled to `scroll`, limited
// to `area` (window pixels), as the back buffer's dirty-area paint does.
void paintWindowArea(CTESKAdatView& view, QImage& window, QPoint scroll, const QRect& area) {
    window.fill(Qt::white);
    CDC dc(window);
    view.OnPrepareDC(dc);
    dc.SetViewportOrg(-scroll.x(), -scroll.y());
    const CRect box(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    dc.SetPaintRect(&box);
    view.OnDraw(dc);
}

struct Row {
    int stations = 0;
    double read = 0, sort = 0, build = 0, triangulate = 0;
    double firstPaint = 0, strip = 0, magnify = 0;
};

// The sort with its permutations and the build, on the view's converted
// positions, each timed alone (the copies back to file order are not timed).
void timeTriangulationParts(const CTESKAdatView& view, int runs, Row& row) {
    const int n = view.nodeCount();
    std::vector<double> x(static_cast<size_t>(n)), y(x.size()), v(x.size());
    std::vector<int32_t> order(x.size());
    for (int i = 0; i < n; ++i) {
        const int station = view.nodeOrder[i] - 1; // undo the view's order
        x[station] = view.stationX[i];
        y[station] = view.stationY[i];
        v[station] = view.mainValues[i];
    }
    const std::vector<double> fileX = x, fileY = y, fileV = v;
    row.sort = medianMilliseconds(runs, [&] {
        x = fileX;
        y = fileY;
        v = fileV;
        sortNodesByKey(n, 3, x.data(), y.data(), v.data(), order.data());
    });
    std::vector<int32_t> adjacency(static_cast<size_t>(adjacencySize(n))), ends(x.size());
    row.build = medianMilliseconds(
        runs, [&] { buildTriangulation(n, x.data(), y.data(), adjacency.data(), ends.data()); });
}

// FNV-1a over raw bytes, continued from `hash`.
uint64_t fnv1a(const void* bytes, size_t size, uint64_t hash = 14695981039346656037ull) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ p[i]) * 1099511628211ull;
    return hash;
}

template <class T> uint64_t fnv1a(const std::vector<T>& values, uint64_t hash) {
    return fnv1a(values.data(), values.size() * sizeof(T), hash);
}

void printDigest(const CTESKAdatView& view, const QImage& window) {
    uint64_t arrays = fnv1a(view.nodeOrder, 14695981039346656037ull);
    for (const std::vector<double>* v : {&view.stationX, &view.stationY, &view.mainValues})
        arrays = fnv1a(*v, arrays);
    arrays = fnv1a(view.adjacency, fnv1a(view.adjacencyEnd, arrays));
    const uint64_t picture = fnv1a(window.constBits(), static_cast<size_t>(window.sizeInBytes()));
    std::printf("%d stations: arrays %016llx, picture %016llx\n", view.nodeCount(),
                static_cast<unsigned long long>(arrays), static_cast<unsigned long long>(picture));
}

// Least and median of 21 repaints of the window at `scroll`.
void printRepaintTimes(const char* what, CTESKAdatView& view, QImage& window, QPoint scroll) {
    std::vector<double> times;
    for (int i = 0; i < 21; ++i)
        times.push_back(
            millisecondsOf([&] { paintWindowArea(view, window, scroll, window.rect()); }));
    std::sort(times.begin(), times.end());
    std::printf("%-10s least %7.1f ms, median %7.1f ms\n", what, times.front(),
                times[times.size() / 2]);
}

void printRepaints(CTESKAdatView& view, QImage& window) {
    view.magnification = 1.0;
    view.relayout();
    printRepaintTimes("repaint", view, window, {0, 0});
    view.magnification *= view_commands::kMagnifyFactor;
    view.relayout();
    const QPoint middle((view.canvasWidth - window.width()) / 2,
                        (view.canvasHeight - window.height()) / 2);
    printRepaintTimes("magnified", view, window,
                      QPoint(std::max(middle.x(), 0), std::max(middle.y(), 0)));
}

void printHeader() {
    std::printf("%9s %8s %8s %8s %8s %8s %8s %8s %8s %8s\n", "stations", "read", "sort", "other",
                "build", "triang", "paint1", "strip200", "magnify", "to_paint");
}

void printRow(const Row& r) {
    const double rest = r.triangulate - r.sort - r.build;
    const double total = r.read + r.triangulate + r.firstPaint;
    std::printf("%9d %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f\n", r.stations, r.read,
                r.sort, rest, r.build, r.triangulate, r.firstPaint, r.strip, r.magnify, total);
}

} // namespace

int main(int argc, char** argv) {
    int first = 1;
    const bool header = argc > 1 && std::strcmp(argv[1], "--header") == 0;
    const bool digest = argc > 1 && std::strcmp(argv[1], "--digest") == 0;
    const bool repaints = argc > 1 && std::strcmp(argv[1], "--repaints") == 0;
    if (header || digest || repaints)
        ++first;
    if (header && argc == 2) {
        printHeader();
        return 0;
    }
    if (argc != first + 1 && argc != first + 3) {
        std::fprintf(
            stderr,
            "usage: %s [--header | --digest | --repaints] FILE [WINDOW_WIDTH WINDOW_HEIGHT]\n",
            argv[0]);
        return 2;
    }
    const std::string path = argv[first];
    const QSize windowSize = argc == first + 3
                                 ? QSize(std::atoi(argv[first + 1]), std::atoi(argv[first + 2]))
                                 : QSize(1200, 900);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Row row;
    CTESKAdatDoc doc;
    CTESKAdatView view(doc);
    view.resize(windowSize);
    row.read = millisecondsOf([&] { doc.readObservationFile(path); });
    if (doc.count < 3)
        return 1;
    row.stations = doc.count;
    doc.dataReady = true;
    // The document's announcement triangulates; the view's own call is timed.
    row.triangulate = millisecondsOf([&] { doc.UpdateAllViews(nullptr, HintNewData); });
    if (!doc.dataReady)
        return 1;
    QImage window(windowSize, QImage::Format_RGB32);
    row.firstPaint = millisecondsOf([&] { paintWindowArea(view, window, {0, 0}, window.rect()); });
    if (digest) {
        printDigest(view, window);
        return 0;
    }
    if (repaints) {
        printRepaints(view, window);
        return 0;
    }
    // Repeated at the smaller sizes, where one run is short and noisy.
    const int runs = row.stations <= 200000 ? 3 : 1;
    if (runs > 1)
        row.triangulate = medianMilliseconds(runs, [&] { view.triangulate(); });
    timeTriangulationParts(view, runs, row);

    // Magnified until the canvas is wider than the window, scrolled right
    // by 200 pixels: the strip that the scroll exposes.
    view.magnification = 1.0;
    view.relayout();
    const QRect strip(windowSize.width() - 200, 0, 200, windowSize.height());
    row.strip = medianMilliseconds(5, [&] { paintWindowArea(view, window, {200, 0}, strip); });
    row.magnify = medianMilliseconds(3, [&] {
        view.magnification *= view_commands::kMagnifyFactor;
        view.relayout();
        paintWindowArea(view, window, {0, 0}, window.rect());
    });

    if (header)
        printHeader();
    printRow(row);
    return 0;
}
