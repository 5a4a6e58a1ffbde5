#include "plot/StationTriangulation.h"

#include "data/ObservationSet.h"
#include "platform/Format.h"
#include "platform/MessageBox.h"
#include "plot/NodeOrder.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

constexpr const char* kCollinearMessage = "Error: Points in the data file are collinear.";
constexpr const char* kUnusablePositionsMessage =
    "Error: station positions that are not finite numbers, or too far\n"
    "from the displayed region, cannot be plotted.";

bool plotPositionsUsable(const StationArrays& arrays, double plotScale) {
    if (!std::isfinite(plotScale) || !(plotScale > 0))
        return false;
    for (int i = 0; i < arrays.nodeCount(); ++i)
        if (!std::isfinite(arrays.stationX[i]) || !std::isfinite(arrays.stationY[i]))
            return false;
    return true;
}

void refuseForMemory(StationArrays& arrays, int n) {
    arrays.release();
    AfxMessageBox(formatString("Error: not enough memory to triangulate %d stations.", n),
                  MB_ICONHAND);
}

// The positions and the order. The lists are made by the build in its own
// storage, and the node values come after it (completeArrays), so that
// neither adds to the memory that the build's working lists need at their
// peak.
bool allocate(StationArrays& arrays, int n) {
    arrays.release();
    try {
        for (std::vector<double>* values : {&arrays.stationX, &arrays.stationY})
            values->assign(static_cast<size_t>(n), 0.0);
        for (std::vector<int32_t>* values : {&arrays.adjacencyEnd, &arrays.nodeOrder})
            values->assign(static_cast<size_t>(n), 0);
    } catch (const std::bad_alloc&) {
        refuseForMemory(arrays, n);
        return false;
    }
    return true;
}

// The observed values in node order (a copy through nodeOrder, when it is
// set) and a zeroed array for a second plot; after a build refused before
// its lists were made, lists of zeros. Every array then has its full size,
// also after a refused build.
bool completeArrays(const ObservationSet& set, StationArrays& arrays, bool ordered) {
    const int n = arrays.nodeCount();
    try {
        arrays.mainValues.assign(static_cast<size_t>(n), 0.0);
        arrays.secondaryValues.assign(static_cast<size_t>(n), 0.0);
        if (arrays.adjacency.size() != static_cast<size_t>(adjacencySize(n)))
            arrays.adjacency.assign(static_cast<size_t>(adjacencySize(n)), 0);
    } catch (const std::bad_alloc&) {
        refuseForMemory(arrays, n);
        return false;
    }
    for (int i = 0; i < n; ++i)
        arrays.mainValues[i] = set.data[ordered ? arrays.nodeOrder[i] - 1 : i];
    return true;
}

// The build on the converted positions: its result, with its message box
// for a refused one.
bool buildLists(StationArrays& arrays) {
    const int n = arrays.nodeCount();
    int result = BuildOk;
    try {
        result = buildTriangulation(n, arrays.stationX.data(), arrays.stationY.data(),
                                    arrays.adjacency, arrays.adjacencyEnd.data());
    } catch (const std::bad_alloc&) {
        refuseForMemory(arrays, n);
        return false;
    }
    switch (result) {
    case BuildOk:
        return true;
    case BuildCollinear:
    case BuildDegenerate: // so nearly collinear that rounding decides
        AfxMessageBox(kCollinearMessage, MB_ICONHAND);
        return false;
    default:
        AfxMessageBox(kUnusablePositionsMessage, MB_ICONHAND);
        return false;
    }
}

// Marks every station that shares its plot position with another one.
// Nodes are in easting order, so only a run of equal eastings can hold
// coinciding nodes; a run is sorted by northing so that equal ones end up
// side by side. The scan is linear unless eastings repeat, and n log n when
// whole survey lines share one.
std::vector<char> markDuplicates(const StationArrays& arrays) {
    const int n = arrays.nodeCount();
    std::vector<char> marked(static_cast<size_t>(n), 0);
    std::vector<int> run;
    for (int start = 0; start < n;) {
        int end = start + 1;
        while (end < n && arrays.stationX[end] == arrays.stationX[start])
            ++end;
        if (end - start >= 2) {
            run.resize(static_cast<size_t>(end - start));
            for (int j = start; j < end; ++j)
                run[static_cast<size_t>(j - start)] = j;
            std::sort(run.begin(), run.end(),
                      [&](int a, int b) { return arrays.stationY[a] < arrays.stationY[b]; });
            for (size_t i = 1; i < run.size(); ++i) {
                if (arrays.stationY[run[i]] == arrays.stationY[run[i - 1]]) {
                    marked[arrays.nodeOrder[run[i]] - 1] = 1;
                    marked[arrays.nodeOrder[run[i - 1]] - 1] = 1;
                }
            }
        }
        start = end;
    }
    return marked;
}

std::string duplicateMessage(const ObservationSet& set, const std::vector<char>& marked) {
    std::string text = "Error: duplicate points found.\n\n";
    for (size_t i = 0; i < marked.size(); ++i)
        if (marked[i])
            text += formatString("%i:  %g %g %g  %g\n", static_cast<int>(i + 1), set.x[i], set.y[i],
                                 set.elevation[i], set.data[i]);
    return text;
}

} // namespace

void StationArrays::release() {
    widestTriangle = std::numeric_limits<double>::infinity();
    for (std::vector<double>* values : {&stationX, &stationY, &mainValues, &secondaryValues})
        std::vector<double>().swap(*values);
    for (std::vector<int32_t>* values : {&adjacencyEnd, &adjacency, &nodeOrder})
        std::vector<int32_t>().swap(*values);
}

bool triangulateObservations(const ObservationSet& set, const ViewState& state,
                             StationArrays& arrays) {
    const int n = set.count;
    if (n < 3) {
        arrays.release();
        AfxMessageBox("Error: Need more than 2 data.", MB_OK);
        return false;
    }
    if (adjacencySize(n) <= 0) {
        arrays.release();
        AfxMessageBox(formatString("Error: %d stations are more than can be triangulated.", n),
                      MB_ICONHAND);
        return false;
    }
    if (!allocate(arrays, n))
        return false;

    for (int i = 0; i < n; ++i) {
        arrays.stationX[i] = (set.x[i] - state.regionXMin) * state.plotScale;
        arrays.stationY[i] = (state.regionYMax - set.y[i]) * state.plotScale;
    }
    if (set.xMax == set.xMin) {
        AfxMessageBox(kCollinearMessage, MB_ICONHAND);
        completeArrays(set, arrays, false);
        return false;
    }
    // Positions that are not finite, or extents whose width overflows (the
    // scale then maps every station to one place), would otherwise be taken
    // for duplicates; they are refused for what they are.
    if (!plotPositionsUsable(arrays, state.plotScale)) {
        AfxMessageBox(kUnusablePositionsMessage, MB_ICONHAND);
        completeArrays(set, arrays, false);
        return false;
    }

    sortNodesByKey(n, 2, arrays.stationX.data(), arrays.stationY.data(), nullptr,
                   arrays.nodeOrder.data());

    const std::vector<char> marked = markDuplicates(arrays);
    if (std::find(marked.begin(), marked.end(), 1) != marked.end()) {
        AfxMessageBox(duplicateMessage(set, marked), MB_ICONHAND);
        completeArrays(set, arrays, true);
        return false;
    }
    const bool built = buildLists(arrays);
    if (!completeArrays(set, arrays, true) || !built)
        return false;
    arrays.widestTriangle = widestTriangleSpan(arrays);
    return true;
}

double widestTriangleSpan(const StationArrays& arrays) {
    double widest = 0;
    int listStart = 0;
    for (int i = 0; i < arrays.nodeCount(); ++i) {
        const int listEnd = arrays.adjacencyEnd[i];
        for (int q = listStart; q < listEnd; ++q)
            if (const int32_t node = arrays.adjacency[q]; node != 0)
                widest =
                    std::max(widest, std::fabs(arrays.stationX[node - 1] - arrays.stationX[i]));
        listStart = listEnd;
    }
    return widest;
}

void toNodeOrder(const std::vector<double>& stationValues, int count, StationArrays& arrays,
                 std::vector<double>& nodeValues) {
    // Only a permutation of exactly these stations can be applied; after
    // stations were removed the arrays are rebuilt instead.
    const int n = arrays.nodeCount();
    if (count != n || static_cast<int>(stationValues.size()) < n)
        return;
    for (int i = 0; i < n; ++i)
        nodeValues[i] = stationValues[i];
    applyPermutation(n, arrays.nodeOrder.data(), nodeValues.data());
}

std::vector<Triangle> listTriangles(const StationArrays& arrays) {
    return listTrianglesFrom(arrays, 0, arrays.nodeCount());
}

std::vector<Triangle> listTrianglesFrom(const StationArrays& arrays, int firstNode, int lastNode) {
    std::vector<Triangle> triangles;
    const int n = arrays.nodeCount();
    firstNode = std::clamp(firstNode, 0, n);
    lastNode = std::clamp(lastNode, firstNode, n);
    if (n < 3 || firstNode == lastNode)
        return triangles;
    triangles.reserve(static_cast<size_t>(2 * (lastNode - firstNode) + 1));
    int listStart = firstNode == 0 ? 0 : arrays.adjacencyEnd[firstNode - 1];
    for (int i = firstNode + 1; i <= lastNode; ++i) {
        const int listEnd = arrays.adjacencyEnd[i - 1]; // 1-based position of the last entry
        for (int q = listStart + 1; q <= listEnd; ++q) {
            const int32_t node = arrays.adjacency[q - 1];
            const int32_t next = arrays.adjacency[(q == listEnd ? listStart + 1 : q + 1) - 1];
            if (node != 0 && next != 0 && i < node && i < next)
                triangles.push_back({i - 1, node - 1, next - 1});
        }
        listStart = listEnd;
    }
    return triangles;
}
