#include "plot/TriangleMask.h"

#include "plot/StationTriangulation.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>

TriangleMask::TriangleMask(const ViewState& state, const StationArrays& arrays) : m_arrays(arrays) {
    const double limit = state.maskLength * state.plotScale;
    m_limitSquared = limit * limit;
    m_active = state.maskLength > 0 && std::isfinite(m_limitSquared) && arrays.nodeCount() >= 3 &&
               !arrays.adjacency.empty();
}

bool TriangleMask::longEdge(int32_t a, int32_t b) const {
    const double dx = m_arrays.stationX[a] - m_arrays.stationX[b];
    const double dy = m_arrays.stationY[a] - m_arrays.stationY[b];
    return dx * dx + dy * dy > m_limitSquared;
}

bool TriangleMask::masks(int32_t a, int32_t b, int32_t c) const {
    return m_active && (longEdge(a, b) || longEdge(b, c) || longEdge(c, a));
}

bool TriangleMask::masksPoint(double px, double py, int32_t& startNode) const {
    if (!m_active)
        return false;
    const PointLocation at = locatePoint(m_arrays.nodeCount(), startNode, px, py,
                                         m_arrays.stationX.data(), m_arrays.stationY.data(),
                                         m_arrays.adjacency.data(), m_arrays.adjacencyEnd.data());
    if (at.i1 > 0)
        startNode = at.i1;
    return at.i3 > 0 && masks(at.i1 - 1, at.i2 - 1, at.i3 - 1);
}

std::vector<double> sortedLongestEdges(const StationArrays& arrays, double plotScale) {
    std::vector<double> longest;
    if (!(plotScale > 0))
        return longest;
    const auto length = [&arrays](int32_t a, int32_t b) {
        return std::hypot(arrays.stationX[a] - arrays.stationX[b],
                          arrays.stationY[a] - arrays.stationY[b]);
    };
    for (const Triangle& t : listTriangles(arrays))
        longest.push_back(std::max({length(t[0], t[1]), length(t[1], t[2]), length(t[2], t[0])}) /
                          plotScale);
    std::sort(longest.begin(), longest.end());
    return longest;
}
