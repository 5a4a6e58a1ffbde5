#pragma once
// Contour lines of node values over the triangulation: in each triangle the
// linear interpolation is a plane, so each level crosses it in one straight
// segment. Masked triangles (TriangleMask) get none.

#include "plot/ViewState.h"

#include <vector>

struct ContourSegment {
    double level = 0;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0; // plot units
};

// The segments of the levels k * interval (k integer) within the values'
// range, at most `maxLevels` levels (none for an interval that would give
// more, that is not above 0, or that is too small for the values' size to
// step through). A corner exactly on a level counts as
// above it, so a level through a corner is not drawn twice.
std::vector<ContourSegment> contourSegments(const ViewState& state, const StationArrays& arrays,
                                            const std::vector<double>& values, double interval,
                                            int maxLevels = 500);
