// Point location against a brute-force search over all triangles and hull
// arcs, for points inside, on and outside the hull.

#include "PointSets.h"
#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Query {
    double x, y;
};

bool inTriangle(const Mesh& m, int32_t a, int32_t b, int32_t c, const Query& p) {
    return m.left(a, b, p.x, p.y) && m.left(b, c, p.x, p.y) && m.left(c, a, p.x, p.y);
}

bool isTriangle(const Mesh& m, int32_t a, int32_t b, int32_t c) {
    const std::vector<int32_t> l = m.list(a);
    for (size_t i = 0; i < l.size(); ++i) {
        if (l[i] == b)
            return l[(i + 1) % l.size()] == c;
    }
    return false;
}

// True when P is strictly right of some hull arc.
bool strictlyOutside(const Mesh& m, const Query& p) {
    for (int32_t v = 1; v <= m.n(); ++v) {
        if (m.isBoundary(v) && !m.left(v, m.firstNeighbour(v), p.x, p.y))
            return true;
    }
    return false;
}

testing::AssertionResult agreesWithBruteForce(const Mesh& m, const PointLocation& at,
                                              const Query& p) {
    const bool outside = strictlyOutside(m, p);
    if (at.i1 == 0)
        return testing::AssertionFailure() << "no answer";
    if (at.i3 != 0) {
        if (outside || !isTriangle(m, at.i1, at.i2, at.i3) ||
            !inTriangle(m, at.i1, at.i2, at.i3, p))
            return testing::AssertionFailure()
                   << "triangle " << at.i1 << "," << at.i2 << "," << at.i3 << " is wrong";
        return testing::AssertionSuccess();
    }
    if (!m.isBoundary(at.i1) || !m.isBoundary(at.i2))
        return testing::AssertionFailure() << "visible nodes not on the hull";
    if (!outside) {
        // P on a hull arc, reported with the arc's ends.
        if (m.lastNonzeroNeighbour(at.i1) != at.i2 || !m.left(at.i1, at.i2, p.x, p.y))
            return testing::AssertionFailure() << "point on the hull: wrong arc";
        return testing::AssertionSuccess();
    }
    // Outside: every arc from i2 counterclockwise to i1 is visible, the arcs
    // on either side of that chain are not.
    if (!m.left(at.i1, m.firstNeighbour(at.i1), p.x, p.y))
        return testing::AssertionFailure() << "i1 is not the rightmost visible node";
    if (!m.left(m.lastNonzeroNeighbour(at.i2), at.i2, p.x, p.y))
        return testing::AssertionFailure() << "i2 is not the leftmost visible node";
    for (int32_t v = at.i2; v != at.i1; v = m.firstNeighbour(v)) {
        if (m.left(v, m.firstNeighbour(v), p.x, p.y))
            return testing::AssertionFailure() << "arc from " << v << " is not visible";
    }
    return testing::AssertionSuccess();
}

std::vector<Query> queries(const Mesh& m, uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> spread(-300, 1300);
    std::vector<Query> q;
    for (int i = 0; i < 300; ++i)
        q.push_back({spread(rng), spread(rng)});
    // Nodes, midpoints of arcs and points on the lines through hull arcs.
    for (int32_t v = 1; v <= m.n(); v += 3) {
        q.push_back({m.x[v - 1], m.y[v - 1]});
        const int32_t w = m.list(v).front();
        q.push_back({(m.x[v - 1] + m.x[w - 1]) / 2, (m.y[v - 1] + m.y[w - 1]) / 2});
        if (m.isBoundary(v))
            q.push_back({2 * m.x[w - 1] - m.x[v - 1], 2 * m.y[w - 1] - m.y[v - 1]});
    }
    return q;
}

TEST(PointLocation, AgreesWithBruteForceFromEveryKindOfStart) {
    std::vector<PointSet> sets = {
        {"uniform", uniformRandom(300, 11)},
        {"grid", sortedAlongX(regularGrid(15, 12, 4))},
        {"survey lines", sortedAlongX(surveyLines(6, 40, 100, 10, 1, 5))},
        {"clustered", clustered(300, 9)},
        {"small", uniformRandom(5, 3)},
    };
    for (PointSet& set : sets) {
        SCOPED_TRACE(set.name);
        const Mesh& m = set.mesh;
        ASSERT_EQ(set.mesh.build(), BuildOk);
        int32_t carried = 1;
        int32_t fixedStart = 0;
        for (const Query& p : queries(m, 17)) {
            fixedStart = fixedStart % m.n() + 1;
            for (int32_t start : {fixedStart, carried}) {
                const PointLocation at = locatePoint(m.n(), start, p.x, p.y, m.x.data(), m.y.data(),
                                                     m.adjacency.data(), m.adjacencyEnd.data());
                ASSERT_TRUE(agreesWithBruteForce(m, at, p))
                    << "P (" << p.x << ", " << p.y << ") from " << start;
                carried = at.i1;
            }
        }
        EXPECT_TRUE(checkTopology(m));
    }
}

} // namespace
