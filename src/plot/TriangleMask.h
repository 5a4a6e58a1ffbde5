#pragma once
// Mask long triangles (ViewState::maskLength): a triangle with an edge longer
// than the length joins stations that are far apart, such as two separate
// survey blocks. It is left unpainted by the cell and shaded-triangle fills
// and counts as outside the stations for the profile and the station readout,
// so no anomaly is invented between the blocks.

#include "plot/ViewState.h"

#include <cstdint>
#include <vector>

class TriangleMask {
public:
    TriangleMask(const ViewState& state, const StationArrays& arrays);

    // False while the length is 0 (off) or the arrays hold no triangulation.
    bool active() const { return m_active; }
    // True when the triangle of nodes a, b, c (0-based) has a long edge.
    bool masks(int32_t a, int32_t b, int32_t c) const;
    // True when the point (plot units) lies in a masked triangle. startNode
    // (1-based) is carried from call to call as for interpolateLinear.
    bool masksPoint(double px, double py, int32_t& startNode) const;

private:
    bool longEdge(int32_t a, int32_t b) const;

    const StationArrays& m_arrays;
    double m_limitSquared = 0; // plot units squared
    bool m_active = false;
};

// The longest edge of every triangle, in metres, sorted ascending: what the
// mask's dialog offers as a guide.
std::vector<double> sortedLongestEdges(const StationArrays& arrays, double plotScale);
