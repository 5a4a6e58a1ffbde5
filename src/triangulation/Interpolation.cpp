// Piecewise-linear interpolation over the triangulation, extended beyond the
// hull by the value of the nearest hull point.

#include "triangulation/OneBased.h"
#include "triangulation/Triangulation.h"

namespace {

bool usablePoint(double px, double py) {
    return px >= -kMaxCoordinate && px <= kMaxCoordinate && py >= -kMaxCoordinate &&
           py <= kMaxCoordinate;
}

// Value at P outside the hull: walks the hull clockwise from node `from`
// (the rightmost hull node visible from P) to the arc or node nearest to P
// and interpolates linearly along that arc. The walk ends within one round
// of the hull (at most n nodes); false when it did not.
bool valueOfNearestHullPoint(int32_t n, double px, double py, int32_t from, Coordinates x,
                             Coordinates y, OneBased<const double> z, ConstPositions adjacency,
                             ConstPositions adjacencyEnd, double& pz) {
    int32_t a = from;
    for (int32_t steps = 0; steps <= n; ++steps) {
        const int32_t b = adjacency[adjacencyEnd[a] - 1]; // next hull node clockwise
        const double dp = (x[b] - x[a]) * (px - x[a]) + (y[b] - y[a]) * (py - y[a]);
        if (dp <= 0) {
            pz = z[a];
            return true;
        }
        if ((x[a] - x[b]) * (px - x[b]) + (y[a] - y[b]) * (py - y[b]) > 0) {
            const double dx = x[a] - x[b], dy = y[a] - y[b];
            const double r = dp / (dx * dx + dy * dy);
            pz = r * z[b] + (1 - r) * z[a];
            return true;
        }
        a = b;
    }
    return false;
}

} // namespace

int barycentricCoordinates(double px, double py, double x1, double x2, double x3, double y1,
                           double y2, double y3, double& b1, double& b2, double& b3) {
    // The sides opposite the three vertices.
    const double sx1 = x3 - x2, sy1 = y3 - y2;
    const double sx2 = x1 - x3, sy2 = y1 - y3;
    const double sx3 = x2 - x1, sy3 = y2 - y1;
    const double area = sx1 * sy2 - sx2 * sy1; // twice the signed area
    if (area == 0)
        return 1;
    b1 = (sx1 * (py - y2) - sy1 * (px - x2)) / area;
    b2 = (sx2 * (py - y1) - sy2 * (px - x1)) / area;
    b3 = (sx3 * (py - y1) - sy3 * (px - x1)) / area;
    return 0;
}

int interpolateLinear(int32_t n, double px, double py, const double* nodeX, const double* nodeY,
                      const double* z, const int32_t* adjacency, const int32_t* adjacencyEnd,
                      int32_t& startNode, double& pz) {
    pz = 0;
    if (n < 3 || startNode < 1 || startNode > n || !usablePoint(px, py))
        return BadArgument;
    const PointLocation at =
        locatePoint(n, startNode, px, py, nodeX, nodeY, adjacency, adjacencyEnd);
    if (at.i1 == 0)
        return NoTriangle;
    startNode = at.i1;

    const Coordinates x(nodeX), y(nodeY);
    const OneBased<const double> values(z);
    if (at.i3 == 0) {
        if (!valueOfNearestHullPoint(n, px, py, at.i1, x, y, values, ConstPositions(adjacency),
                                     ConstPositions(adjacencyEnd), pz)) {
            pz = 0;
            return NoTriangle;
        }
        return Extrapolated;
    }
    double b1, b2, b3;
    if (barycentricCoordinates(px, py, x[at.i1], x[at.i2], x[at.i3], y[at.i1], y[at.i2], y[at.i3],
                               b1, b2, b3) != 0)
        return NoTriangle;
    pz = b1 * values[at.i1] + b2 * values[at.i2] + b3 * values[at.i3];
    return Interpolated;
}
