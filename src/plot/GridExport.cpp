#include "plot/GridExport.h"

#include "data/CTESKAdatDoc.h"
#include "data/MemoryLimit.h"
#include "platform/MessageBox.h"
#include "plot/CTESKAdatView.h"
#include "plot/TriangleMask.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

// Nodes along one axis of `extent` metres; 0 when beyond what a grid may hold.
int nodesAlong(double extent, double cell) {
    const double nodes = std::floor(extent / cell) + 1;
    return std::isfinite(nodes) && nodes >= 1 && nodes <= 1e8 ? static_cast<int>(nodes) : 0;
}

// Values beyond the float range become the largest float of their sign.
float toFloat(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

bool gridFits(int columns, int rows) {
    const long double bytes = static_cast<long double>(columns) * rows * sizeof(float);
    const long double limit = data::memoryLimitBytes();
    return bytes <= static_cast<long double>(std::numeric_limits<size_t>::max() / 2) &&
           (limit <= 0 || bytes <= limit / 2);
}

// The hull's edges (0-based node pairs): a hull node's list starts with the
// next hull node counterclockwise and ends with a 0.
std::vector<std::pair<int32_t, int32_t>> hullEdges(const CTESKAdatView& view) {
    std::vector<std::pair<int32_t, int32_t>> edges;
    for (int k = 0; k < view.nodeCount(); ++k) {
        const int32_t first = k == 0 ? 1 : view.adjacencyEnd[k - 1] + 1;
        if (view.adjacency[view.adjacencyEnd[k] - 1] == 0)
            edges.emplace_back(k, view.adjacency[first - 1] - 1);
    }
    return edges;
}

// Points exactly on the hull (a station there among them) are found outside
// by the interpolation; their value, the nearest hull point's, is theirs.
class HullRow {
public:
    HullRow(const CTESKAdatView& view, const std::vector<std::pair<int32_t, int32_t>>& edges,
            double py)
        : m_view(view), m_py(py) {
        for (const auto& edge : edges) {
            const double y1 = view.stationY[edge.first], y2 = view.stationY[edge.second];
            if (std::min(y1, y2) <= py && py <= std::max(y1, y2))
                m_edges.push_back(edge);
        }
    }
    bool onHull(double px) const {
        for (const auto& [a, b] : m_edges) {
            const double ax = m_view.stationX[a], ay = m_view.stationY[a];
            const double bx = m_view.stationX[b], by = m_view.stationY[b];
            if (px >= std::min(ax, bx) && px <= std::max(ax, bx) &&
                (bx - ax) * (m_py - ay) - (by - ay) * (px - ax) == 0)
                return true;
        }
        return false;
    }

private:
    const CTESKAdatView& m_view;
    double m_py;
    std::vector<std::pair<int32_t, int32_t>> m_edges;
};

} // namespace

double medianStationSpacing(const CTESKAdatView& view) {
    const int n = view.nodeCount();
    if (n < 3 || view.adjacency.empty() || !(view.plotScale > 0))
        return 0;
    // The nearest neighbour of a node is one of its Delaunay neighbours.
    std::vector<double> nearest(static_cast<size_t>(n), HUGE_VAL);
    int32_t start = 1;
    for (int k = 0; k < n; ++k) {
        for (int32_t p = start; p <= view.adjacencyEnd[k]; ++p) {
            const int32_t other = view.adjacency[p - 1];
            if (other <= 0)
                continue;
            const double dx = view.stationX[k] - view.stationX[other - 1];
            const double dy = view.stationY[k] - view.stationY[other - 1];
            nearest[k] = std::min(nearest[k], std::hypot(dx, dy));
        }
        start = view.adjacencyEnd[k] + 1;
    }
    std::nth_element(nearest.begin(), nearest.begin() + n / 2, nearest.end());
    return nearest[static_cast<size_t>(n / 2)] / view.plotScale;
}

bool makeViewGrid(const CTESKAdatView& view, double cellMetres, geo::Grid& grid,
                  std::string& problem) {
    if (view.nodeCount() < 3 || view.adjacency.empty()) {
        problem = "the stations are not triangulated";
        return false;
    }
    const int columns = nodesAlong(view.regionXMax - view.regionXMin, cellMetres);
    const int rows = nodesAlong(view.regionYMax - view.regionYMin, cellMetres);
    if (!(cellMetres > 0) || columns == 0 || rows == 0 || !gridFits(columns, rows)) {
        problem = "a grid of cell " + std::to_string(cellMetres) +
                  " m over the region does not fit into memory; give a larger --cell";
        return false;
    }
    geo::Grid made;
    try {
        made.values.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows),
                           std::numeric_limits<float>::quiet_NaN());
    } catch (const std::bad_alloc&) {
        problem = "not enough memory for the grid";
        return false;
    }
    made.west = view.regionXMin;
    made.north = view.regionYMax;
    made.cell = cellMetres;
    made.columns = columns;
    made.rows = rows;
    made.crs = view.document().crs;
    const TriangleMask mask(view, view);
    int32_t startNode = 1, maskStart = 1;
    const std::vector<std::pair<int32_t, int32_t>> hull = hullEdges(view);
    for (int row = 0; row < rows; ++row) {
        // In plot units, exactly as the stations were converted.
        const double py = (view.regionYMax - (made.north - row * cellMetres)) * view.plotScale;
        const HullRow hullRow(view, hull, py);
        for (int column = 0; column < columns; ++column) {
            const double px = (made.west + column * cellMetres - view.regionXMin) * view.plotScale;
            double value = 0;
            const int result = interpolateLinear(view.nodeCount(), px, py, view.stationX.data(),
                                                 view.stationY.data(), view.mainValues.data(),
                                                 view.adjacency.data(), view.adjacencyEnd.data(),
                                                 startNode, value);
            const bool inside =
                result == Interpolated || (result == Extrapolated && hullRow.onHull(px));
            if (inside && !mask.masksPoint(px, py, maskStart))
                made.values[static_cast<size_t>(row) * columns + column] = toFloat(value);
        }
    }
    grid = std::move(made);
    return true;
}

bool exportGrid(const CTESKAdatView& view, const std::string& path, double cellMetres) {
    if (cellMetres == 0)
        cellMetres = medianStationSpacing(view);
    geo::Grid grid;
    std::string problem;
    if (geo::gridDriverFor(path).empty())
        problem = "no grid format for this name (formats: " + geo::gridFormatList() + ")";
    else if (makeViewGrid(view, cellMetres, grid, problem))
        problem = geo::writeGrid(path, grid);
    if (!problem.empty())
        AfxMessageBox("Error: " + path + "\ncould not be exported: " + problem + ".", MB_ICONHAND);
    return problem.empty();
}
