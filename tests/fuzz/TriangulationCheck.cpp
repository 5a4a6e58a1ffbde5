#include "TriangulationCheck.h"

#include "FuzzSupport.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

using fuzz::require;

std::vector<int32_t> listOf(const TriangulationView& m, int32_t k) {
    const int32_t from = k == 1 ? 0 : m.adjacencyEnd[k - 2];
    return {m.adjacency + from, m.adjacency + m.adjacencyEnd[k - 1]};
}

bool isBoundary(const TriangulationView& m, int32_t k) {
    return m.adjacency[m.adjacencyEnd[k - 1] - 1] == 0;
}

// Consecutive neighbour pairs of v that form triangles with it.
std::vector<std::pair<int32_t, int32_t>> trianglePairs(const TriangulationView& m, int32_t v) {
    std::vector<int32_t> l = listOf(m, v);
    const bool boundary = l.back() == 0;
    if (boundary)
        l.pop_back();
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (size_t i = 0; i + 1 < l.size(); ++i)
        pairs.emplace_back(l[i], l[i + 1]);
    if (!boundary)
        pairs.emplace_back(l.back(), l.front());
    return pairs;
}

bool contains(const std::vector<int32_t>& l, int32_t a) {
    return std::find(l.begin(), l.end(), a) != l.end();
}

bool follows(const std::vector<int32_t>& l, int32_t a, int32_t b) {
    for (size_t i = 0; i < l.size(); ++i)
        if (l[i] == a)
            return l[(i + 1) % l.size()] == b;
    return false;
}

// False only when (v, a, b) is certainly clockwise or flat: the computed
// determinant is below minus the rounding error it can carry.
bool notCertainlyClockwise(const TriangulationView& m, int32_t v, int32_t a, int32_t b) {
    const double l = (m.x[a - 1] - m.x[v - 1]) * (m.y[b - 1] - m.y[v - 1]);
    const double r = (m.y[a - 1] - m.y[v - 1]) * (m.x[b - 1] - m.x[v - 1]);
    return l - r > -1e-15 * (std::fabs(l) + std::fabs(r)) && (l != 0 || r != 0);
}

void checkListShapes(const TriangulationView& m) {
    int32_t previousEnd = 0;
    for (int32_t k = 1; k <= m.n; ++k) {
        const int32_t end = m.adjacencyEnd[k - 1];
        require(end >= previousEnd + 2 && end <= adjacencySize(m.n), "list ends in range");
        previousEnd = end;
        const std::vector<int32_t> l = listOf(m, k);
        std::set<int32_t> seen;
        for (size_t i = 0; i < l.size(); ++i) {
            if (l[i] == 0 && i + 1 == l.size())
                continue;
            require(l[i] >= 1 && l[i] <= m.n && l[i] != k, "list entries are other nodes");
            require(seen.insert(l[i]).second, "no neighbour twice in a list");
        }
    }
}

void checkTrianglesAndArcs(const TriangulationView& m) {
    int64_t triangleEntries = 0, boundary = 0;
    for (int32_t v = 1; v <= m.n; ++v) {
        boundary += isBoundary(m, v) ? 1 : 0;
        for (int32_t w : listOf(m, v))
            require(w == 0 || contains(listOf(m, w), v), "every arc in both end lists");
        for (const auto& [a, b] : trianglePairs(m, v)) {
            ++triangleEntries;
            require(follows(listOf(m, a), b, v) && follows(listOf(m, b), v, a),
                    "every triangle in all three vertex lists");
            require(notCertainlyClockwise(m, v, a, b), "every list counterclockwise");
        }
    }
    const int64_t n = m.n;
    require(boundary >= 3, "at least three hull nodes");
    require(triangleEntries == 3 * (2 * n - 2 - boundary), "2n-2-NB triangles");
    require(m.adjacencyEnd[n - 1] == 6 * n - 6 - boundary, "the lists fill 6n-6-NB positions");
}

void checkHull(const TriangulationView& m) {
    int32_t start = 1, boundary = 0;
    for (int32_t k = m.n; k >= 1; --k) {
        if (isBoundary(m, k)) {
            start = k;
            ++boundary;
        }
    }
    int32_t v = start, steps = 0;
    do {
        require(isBoundary(m, v), "the hull walk stays on hull nodes");
        v = listOf(m, v).front();
        ++steps;
    } while (v != start && steps <= boundary);
    require(steps == boundary, "the hull is one closed walk through its nodes");
}

void checkAnswer(const TriangulationView& m, const PointLocation& at, bool exact) {
    if (at.i1 == 0) {
        require(!exact, "exact tests always locate a point");
        return;
    }
    if (at.i3 != 0) {
        require(follows(listOf(m, at.i1), at.i2, at.i3), "the located triangle is in the lists");
        return;
    }
    require(isBoundary(m, at.i1) && isBoundary(m, at.i2), "visible nodes are hull nodes");
}

void locateAt(const TriangulationView& m, double px, double py, bool exact,
              const std::vector<double>& z) {
    const bool usable = std::fabs(px) <= kMaxCoordinate && std::fabs(py) <= kMaxCoordinate;
    for (int32_t start : {1, m.n, (m.n + 1) / 2}) {
        const PointLocation at =
            locatePoint(m.n, start, px, py, m.x, m.y, m.adjacency, m.adjacencyEnd);
        if (usable)
            checkAnswer(m, at, exact);
        else
            require(at.i1 == 0, "an unusable point is not located");
        double pz = 0;
        int32_t from = start;
        const int result = interpolateLinear(m.n, px, py, m.x, m.y, z.data(), m.adjacency,
                                             m.adjacencyEnd, from, pz);
        if (usable)
            require(result == Interpolated || result == Extrapolated || result == NoTriangle,
                    "interpolation of a usable point");
        else
            require(result == BadArgument, "an unusable point is refused");
        require(from >= 1 && from <= m.n, "the carried start stays a node");
    }
}

} // namespace

void checkTriangulation(const TriangulationView& mesh) {
    checkListShapes(mesh);
    checkTrianglesAndArcs(mesh);
    checkHull(mesh);
}

void checkLocations(const TriangulationView& m, bool exact) {
    std::vector<double> z(static_cast<size_t>(m.n));
    for (int32_t i = 0; i < m.n; ++i)
        z[i] = m.x[i] - 2 * m.y[i];
    const int32_t step = m.n / 16 + 1;
    for (int32_t i = 0; i < m.n; i += step) {
        const int32_t j = (i + 7) % m.n;
        locateAt(m, m.x[i], m.y[i], exact, z);
        locateAt(m, 0.5 * (m.x[i] + m.x[j]), 0.5 * (m.y[i] + m.y[j]), exact, z);
        locateAt(m, 3 * m.x[i] - 2 * m.x[j], 3 * m.y[i] - 2 * m.y[j], exact, z);
    }
}
