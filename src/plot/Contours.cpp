#include "plot/Contours.h"

#include "plot/StationTriangulation.h"
#include "plot/TriangleMask.h"

#include <algorithm>
#include <cmath>

namespace {

struct Corner {
    double x, y, v;
};

// Where the level crosses the edge from a to b (one above, one below).
void crossing(const Corner& a, const Corner& b, double level, double& x, double& y) {
    const double t = (level - a.v) / (b.v - a.v);
    x = a.x + t * (b.x - a.x);
    y = a.y + t * (b.y - a.y);
}

void addTriangleSegments(const Corner (&c)[3], double interval, std::vector<ContourSegment>& out) {
    const double lo = std::min({c[0].v, c[1].v, c[2].v});
    const double hi = std::max({c[0].v, c[1].v, c[2].v});
    for (double k = std::floor(lo / interval) + 1; k * interval <= hi; ++k) {
        const double level = k * interval;
        if (level <= lo)
            continue;
        ContourSegment segment;
        segment.level = level;
        int found = 0;
        for (int e = 0; e < 3; ++e) {
            const Corner& a = c[e];
            const Corner& b = c[(e + 1) % 3];
            if ((a.v >= level) == (b.v >= level))
                continue;
            double& x = found == 0 ? segment.x0 : segment.x1;
            double& y = found == 0 ? segment.y0 : segment.y1;
            crossing(a, b, level, x, y);
            ++found;
        }
        if (found == 2)
            out.push_back(segment);
    }
}

} // namespace

std::vector<ContourSegment> contourSegments(const ViewState& state, const StationArrays& arrays,
                                            const std::vector<double>& values, double interval,
                                            int maxLevels) {
    std::vector<ContourSegment> segments;
    const int n = arrays.nodeCount();
    if (!(interval > 0) || !std::isfinite(interval) || n < 3 ||
        values.size() < static_cast<size_t>(n))
        return segments;
    double lo = INFINITY, hi = -INFINITY;
    for (int i = 0; i < n; ++i)
        if (std::isfinite(values[i])) {
            lo = std::min(lo, values[i]);
            hi = std::max(hi, values[i]);
        }
    // Level numbers beyond 2^52 no longer step by one in doubles.
    constexpr double kLargestLevel = 4503599627370496.0;
    if (!(lo <= hi) || (hi - lo) / interval > maxLevels ||
        !(std::max(std::fabs(lo), std::fabs(hi)) / interval < kLargestLevel))
        return segments;
    const TriangleMask mask(state, arrays);
    for (const Triangle& t : listTriangles(arrays)) {
        if (mask.masks(t[0], t[1], t[2]))
            continue;
        Corner corners[3];
        bool finite = true;
        for (int i = 0; i < 3; ++i) {
            corners[i] = {arrays.stationX[t[i]], arrays.stationY[t[i]], values[t[i]]};
            finite &= std::isfinite(corners[i].v);
        }
        if (finite)
            addTriangleSegments(corners, interval, segments);
    }
    return segments;
}
