#include "TopologyCheck.h"

#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

int Mesh::build() {
    adjacency.assign(static_cast<size_t>(adjacencySize(n())), -7);
    adjacencyEnd.assign(x.size(), -7);
    return buildTriangulation(n(), x.data(), y.data(), adjacency.data(), adjacencyEnd.data());
}

std::vector<int32_t> Mesh::list(int32_t k) const {
    const int32_t from = k == 1 ? 0 : adjacencyEnd[k - 2];
    return {adjacency.begin() + from, adjacency.begin() + adjacencyEnd[k - 1]};
}

int32_t Mesh::lastNonzeroNeighbour(int32_t k) const {
    const std::vector<int32_t> l = list(k);
    return l[l.size() - 2];
}

int32_t Mesh::boundaryCount() const {
    int32_t count = 0;
    for (int32_t k = 1; k <= n(); ++k)
        count += isBoundary(k) ? 1 : 0;
    return count;
}

bool Mesh::left(int32_t a, int32_t b, double px, double py) const {
    const double xa = x[a - 1], ya = y[a - 1];
    return (x[b - 1] - xa) * (py - ya) >= (px - xa) * (y[b - 1] - ya);
}

namespace {

using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

double cross(const Mesh& m, int32_t v, int32_t a, int32_t b) {
    return (m.x[a - 1] - m.x[v - 1]) * (m.y[b - 1] - m.y[v - 1]) -
           (m.y[a - 1] - m.y[v - 1]) * (m.x[b - 1] - m.x[v - 1]);
}

double angleBetween(const Mesh& m, int32_t v, int32_t a, int32_t b) {
    const double ax = m.x[a - 1] - m.x[v - 1], ay = m.y[a - 1] - m.y[v - 1];
    const double bx = m.x[b - 1] - m.x[v - 1], by = m.y[b - 1] - m.y[v - 1];
    return std::atan2(ax * by - ay * bx, ax * bx + ay * by);
}

// Consecutive neighbour pairs of v that form triangles.
std::vector<std::pair<int32_t, int32_t>> trianglePairs(const Mesh& m, int32_t v) {
    std::vector<int32_t> l = m.list(v);
    std::vector<std::pair<int32_t, int32_t>> pairs;
    const bool boundary = l.back() == 0;
    if (boundary)
        l.pop_back();
    for (size_t i = 0; i + 1 < l.size(); ++i)
        pairs.emplace_back(l[i], l[i + 1]);
    if (!boundary)
        pairs.emplace_back(l.back(), l.front());
    return pairs;
}

bool followsIn(const std::vector<int32_t>& l, int32_t a, int32_t b) {
    for (size_t i = 0; i < l.size(); ++i) {
        if (l[i] == a)
            return l[(i + 1) % l.size()] == b;
    }
    return false;
}

AssertionResult checkListShapes(const Mesh& m) {
    const int32_t n = m.n();
    int32_t previousEnd = 0;
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t end = m.adjacencyEnd[k - 1];
        if (end < previousEnd + 2 || end > static_cast<int32_t>(m.adjacency.size()))
            return AssertionFailure() << "list of node " << k << " ends at " << end;
        previousEnd = end;
        std::set<int32_t> seen;
        const std::vector<int32_t> l = m.list(k);
        for (size_t i = 0; i < l.size(); ++i) {
            const int32_t e = l[i];
            const bool marker = e == 0 && i + 1 == l.size();
            if (!marker && (e < 1 || e > n || e == k || !seen.insert(e).second))
                return AssertionFailure() << "node " << k << " has entry " << e;
        }
    }
    return AssertionSuccess();
}

AssertionResult checkCounterclockwise(const Mesh& m) {
    const double pi = std::acos(-1.0);
    for (int32_t v = 1; v <= m.n(); ++v) {
        double turn = 0;
        for (const auto& [a, b] : trianglePairs(m, v)) {
            if (!(cross(m, v, a, b) > 0))
                return AssertionFailure()
                       << "node " << v << ": " << a << ", " << b << " not counterclockwise";
            turn += angleBetween(m, v, a, b);
        }
        const bool boundary = m.isBoundary(v);
        if (!boundary && std::fabs(turn - 2 * pi) > 1e-6)
            return AssertionFailure() << "interior node " << v << " winds " << turn;
        if (boundary && turn > pi + 1e-9)
            return AssertionFailure() << "hull node " << v << " spans " << turn;
    }
    return AssertionSuccess();
}

AssertionResult checkArcsAndTriangles(const Mesh& m) {
    int64_t triangleEntries = 0, arcEntries = 0;
    for (int32_t v = 1; v <= m.n(); ++v) {
        for (int32_t w : m.list(v)) {
            if (w == 0)
                continue;
            ++arcEntries;
            const std::vector<int32_t> other = m.list(w);
            if (std::find(other.begin(), other.end(), v) == other.end())
                return AssertionFailure() << "arc " << v << "-" << w << " only in " << v;
        }
        for (const auto& [a, b] : trianglePairs(m, v)) {
            ++triangleEntries;
            if (!followsIn(m.list(a), b, v) || !followsIn(m.list(b), v, a))
                return AssertionFailure()
                       << "triangle " << v << "," << a << "," << b << " missing from a vertex";
        }
    }
    const int64_t n = m.n(), nb = m.boundaryCount();
    if (triangleEntries != 3 * (2 * n - 2 - nb) || arcEntries != 2 * (3 * n - 3 - nb))
        return AssertionFailure() << triangleEntries / 3 << " triangles and " << arcEntries / 2
                                  << " arcs with n " << n << " and NB " << nb;
    if (m.adjacencyEnd[n - 1] != 6 * n - 6 - nb)
        return AssertionFailure() << "lists fill " << m.adjacencyEnd[n - 1] << " positions";
    return AssertionSuccess();
}

AssertionResult checkHull(const Mesh& m) {
    const int32_t nb = m.boundaryCount();
    int32_t start = 1;
    while (!m.isBoundary(start))
        ++start;
    std::vector<int32_t> hull;
    int32_t v = start;
    do {
        hull.push_back(v);
        v = m.firstNeighbour(v);
    } while (v != start && static_cast<int32_t>(hull.size()) <= nb);
    if (static_cast<int32_t>(hull.size()) != nb)
        return AssertionFailure() << "counterclockwise hull walk visits " << hull.size() << " of "
                                  << nb << " hull nodes";
    for (size_t i = 0; i < hull.size(); ++i) {
        const int32_t next = hull[(i + 1) % hull.size()];
        if (!m.isBoundary(hull[i]) || m.lastNonzeroNeighbour(next) != hull[i])
            return AssertionFailure() << "clockwise hull walk breaks at " << next;
        const int32_t after = hull[(i + 2) % hull.size()];
        if (cross(m, next, after, hull[i]) < 0)
            return AssertionFailure() << "hull turns right at " << next;
    }
    if (m.n() <= 3000) {
        for (size_t i = 0; i < hull.size(); ++i) {
            const int32_t a = hull[i], b = hull[(i + 1) % hull.size()];
            for (int32_t k = 1; k <= m.n(); ++k) {
                if (!m.left(a, b, m.x[k - 1], m.y[k - 1]))
                    return AssertionFailure()
                           << "node " << k << " outside hull arc " << a << "-" << b;
            }
        }
    }
    return AssertionSuccess();
}

AssertionResult checkDelaunay(const Mesh& m) {
    for (int32_t v = 1; v <= m.n(); ++v) {
        // Triangle (v, a, b) lies on one side of arc v-a; triangle (a, v, d),
        // if there is one, on the other.
        for (const auto& [a, b] : trianglePairs(m, v)) {
            for (const auto& [c, d] : trianglePairs(m, a)) {
                if (c == v && swapTest(d, b, a, v, m.x.data(), m.y.data()))
                    return AssertionFailure() << "arc " << v << "-" << a << " fails swapTest";
            }
        }
    }
    return AssertionSuccess();
}

} // namespace

AssertionResult checkTopology(const Mesh& mesh, bool delaunay) {
    for (auto check : {checkListShapes, checkCounterclockwise, checkArcsAndTriangles, checkHull}) {
        AssertionResult result = check(mesh);
        if (!result)
            return result;
    }
    return delaunay ? checkDelaunay(mesh) : AssertionSuccess();
}
