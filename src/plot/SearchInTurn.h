#pragma once
// The map fill's interpolation at many points in turn, each point location
// starting where the one before ended, on up to two cores with exactly the
// answers of one loop over the points.

#include "plot/ViewState.h"

#include <cstdint>
#include <vector>

struct SearchPoint {
    double x = 0, y = 0; // plot units
};

struct SearchAnswer {
    int result = 0;      // interpolateLinear's result (Interpolated, Extrapolated, ...)
    double value = 0;    // its value
    int32_t endNode = 1; // the node the next search starts from
};

// interpolateLinear over `arrays` with node `values` at each point in order,
// the first search starting at `startNode` and each later one where the one
// before ended; returns the answers and sets `startNode` to where the last
// ended. With `threads` = 2 the second half of the points is searched at the
// same time from node 1; from the first point where both searches end at
// the same node on, they are the same, so the answers are those of one loop
// whatever `threads` is. Arrays and values are only read.
std::vector<SearchAnswer> interpolateInTurn(const StationArrays& arrays,
                                            const std::vector<double>& values,
                                            const std::vector<SearchPoint>& points,
                                            int32_t& startNode, int threads);
