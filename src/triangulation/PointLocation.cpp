// Point location: a walk over the triangulation from a start node to the
// triangle that contains a point, or to the hull nodes visible from it.

#include "triangulation/OneBased.h"
#include "triangulation/Triangulation.h"
#include "triangulation/Walk.h"

namespace {

bool usablePoint(double px, double py) {
    return px >= -kMaxCoordinate && px <= kMaxCoordinate && py >= -kMaxCoordinate &&
           py <= kMaxCoordinate;
}

} // namespace

PointLocation locatePoint(int32_t n, int32_t startNode, double px, double py, const double* nodeX,
                          const double* nodeY, const int32_t* adjacency,
                          const int32_t* adjacencyEnd) {
    if (n < 3 || !usablePoint(px, py))
        return {};
    const int32_t n0 = startNode < 1 || startNode > n ? 1 : startNode;
    const PackedLists lists(adjacency, adjacencyEnd);
    return Walk<PackedLists>(n, px, py, nodeX, nodeY, lists).from(n0).at;
}
