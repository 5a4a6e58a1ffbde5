#pragma once
// Turning the document's stations into the view's node-ordered arrays and
// their triangulation, in region-relative plot units.

#include "plot/ViewState.h"

#include <array>
#include <cstdint>
#include <vector>

struct ObservationSet;

// Converts the stations to plot units of the region in `state`, sorts them
// along x, refuses duplicate positions and collinear sets (each with its
// message box), and builds the triangulation into `arrays`, replacing what
// was there. Fewer than three stations build nothing and show the reader's
// "need more than 2" message. True when a triangulation was built.
bool triangulateObservations(const ObservationSet& set, const ViewState& state,
                             StationArrays& arrays);

// Copies one value per station (file order) into `nodeValues` in node order.
void toNodeOrder(const std::vector<double>& stationValues, int count, StationArrays& arrays,
                 std::vector<double>& nodeValues);

// Every triangle once, as 0-based node indices in counterclockwise order,
// grouped by their smallest node in ascending order.
using Triangle = std::array<int32_t, 3>;
std::vector<Triangle> listTriangles(const StationArrays& arrays);
// The part of that list whose smallest node is in [firstNode, lastNode)
// (0-based, clamped to the nodes), in the same order.
std::vector<Triangle> listTrianglesFrom(const StationArrays& arrays, int firstNode, int lastNode);
// The largest easting difference of two neighbours in the lists (plot
// units), so the widest triangle's span; 0 without neighbours.
double widestTriangleSpan(const StationArrays& arrays);
