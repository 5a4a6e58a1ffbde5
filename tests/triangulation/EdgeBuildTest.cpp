// The build over triangles and half-edges must write exactly the lists of
// adding the nodes one by one with addNode, and build every set that addNode
// builds without declining, so that addNode is only ever the fallback.

#include "triangulation/EdgeBuild.h"
#include "PointSets.h"
#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

// The smallest leading set that is not collinear, triangulated with nothing
// left to add; the first node still to add, or 0 when there is none.
int32_t startOf(Mesh& mesh) {
    const int32_t n = mesh.n();
    mesh.adjacency.assign(static_cast<size_t>(adjacencySize(n)), -7);
    mesh.adjacencyEnd.assign(static_cast<size_t>(n), -7);
    for (int32_t spanning = 3; spanning <= n; ++spanning) {
        if (buildTriangulation(spanning, mesh.x.data(), mesh.y.data(), mesh.adjacency.data(),
                               mesh.adjacencyEnd.data()) == BuildOk)
            return spanning + 1;
    }
    return 0;
}

testing::AssertionResult sameAsAddingOneByOne(const Mesh& set, bool delaunay = true) {
    Mesh edges = set;
    const int32_t first = startOf(edges);
    if (first == 0 || first > set.n())
        return testing::AssertionFailure() << "no nodes to add";
    Mesh inPlace = edges;
    const int32_t n = set.n();
    for (int32_t node = first; node <= n; ++node) {
        if (const BuildResult r = addNode(node, inPlace.x.data(), inPlace.y.data(),
                                          inPlace.adjacency.data(), inPlace.adjacencyEnd.data()))
            return testing::AssertionFailure() << "addNode gave " << r << " at node " << node;
    }
    if (!insertNodesByEdges(first, n, edges.x.data(), edges.y.data(), edges.adjacency.data(),
                            edges.adjacencyEnd.data()))
        return testing::AssertionFailure() << "the edges declined";
    if (edges.adjacencyEnd != inPlace.adjacencyEnd)
        return testing::AssertionFailure() << "list ends differ";
    for (size_t p = 0; p < inPlace.adjacency.size(); ++p) {
        if (edges.adjacency[p] != inPlace.adjacency[p])
            return testing::AssertionFailure() << "entry " << p + 1 << ": " << edges.adjacency[p]
                                               << " instead of " << inPlace.adjacency[p];
    }
    // The lists packed in the build's own storage, their places found on
    // one thread and on two: the same, 0 after them.
    std::fill(edges.adjacency.begin() + edges.adjacencyEnd.back(), edges.adjacency.end(), 0);
    for (int threads : {1, 2}) {
        Mesh own = set;
        startOf(own);
        own.adjacency.resize(static_cast<size_t>(own.adjacencyEnd[first - 2]));
        if (!insertNodesByEdges(first, n, own.x.data(), own.y.data(), own.adjacency,
                                own.adjacencyEnd.data(), threads))
            return testing::AssertionFailure() << "the edges in their own storage declined";
        if (own.adjacencyEnd != edges.adjacencyEnd || own.adjacency != edges.adjacency)
            return testing::AssertionFailure()
                   << "the lists packed in place on " << threads << " threads differ";
    }
    return checkTopology(edges, delaunay);
}

// Every node on the hull: nodes on a parabola, sorted along it.
Mesh convexPosition(int32_t n) {
    Mesh mesh;
    for (int32_t i = 0; i < n; ++i) {
        const double x = i - n / 2.0;
        mesh.x.push_back(x);
        mesh.y.push_back(x * x);
    }
    return mesh;
}

Mesh transposed(Mesh mesh) {
    std::swap(mesh.x, mesh.y);
    return mesh;
}

// A square grid turned by `angle` about a corner at UTM size: nearly
// cocircular quadruples everywhere, decided by rounding.
Mesh rotatedUtmGrid(int32_t side, double spacing, double angle) {
    Mesh mesh;
    const double c = std::cos(angle), s = std::sin(angle);
    for (int32_t i = 0; i < side; ++i) {
        for (int32_t j = 0; j < side; ++j) {
            mesh.x.push_back(500000 + c * spacing * i - s * spacing * j);
            mesh.y.push_back(6000000 + s * spacing * i + c * spacing * j);
        }
    }
    return sortedAlongX(mesh);
}

TEST(EdgeBuild, SameListsAsAddingNodesOneByOneOnEveryLayout) {
    for (const PointSet& set : generatedSets()) {
        SCOPED_TRACE(set.name);
        EXPECT_TRUE(sameAsAddingOneByOne(set.mesh));
    }
    // Survey lines across and along the sorting direction (long fans over
    // the previous line, taken apart by swaps), uniform and clustered sets,
    // grids of exact cocircular ties in sorted and shuffled order, and
    // turned grids at UTM size.
    EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(surveyLines(30, 400, 100, 10, 0.5, 3))));
    EXPECT_TRUE(
        sameAsAddingOneByOne(sortedAlongX(transposed(surveyLines(30, 400, 100, 10, 0.5, 4)))));
    EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(surveyLines(12, 200, 100, 10, 0, 5))));
    EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(uniformRandom(30000, 21))));
    EXPECT_TRUE(sameAsAddingOneByOne(uniformRandom(5000, 22)));
    EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(clustered(20000, 23))));
    EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(regularGrid(120, 90, 6))));
    EXPECT_TRUE(sameAsAddingOneByOne(shuffled(regularGrid(60, 60, 7), 8)));
    EXPECT_TRUE(sameAsAddingOneByOne(convexPosition(3000)));
    EXPECT_TRUE(sameAsAddingOneByOne(shuffled(convexPosition(500), 10)));
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(sameAsAddingOneByOne(rotatedUtmGrid(40, 25, k * 0.131 + 1e-7)));
    }
    for (int32_t n = 4; n <= 14; ++n) {
        for (uint64_t seed = 1; seed <= 20; ++seed)
            ASSERT_TRUE(sameAsAddingOneByOne(uniformRandom(n, seed * 13 + n)))
                << n << " seed " << seed;
    }
}

// Positions rounded to `step` metres.
Mesh rounded(Mesh mesh, double step) {
    for (double& v : mesh.x)
        v = std::round(v / step) * step;
    for (double& v : mesh.y)
        v = std::round(v / step) * step;
    return mesh;
}

TEST(EdgeBuild, SameListsAsAddingNodesOneByOneWhereEastingsRepeat) {
    // Survey lines to the millimetre and to the decimetre with half a metre
    // of jitter, in random order before the sort: most nodes share their
    // easting with the node before and go in on the hull's straight right
    // side, above and below that node, between the side's nodes and past
    // its ends.
    for (double step : {0.001, 0.1}) {
        SCOPED_TRACE(step);
        const Mesh lines = rounded(surveyLines(16, 500, 100, 10, 0.5, 41), step);
        EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(shuffled(lines, 42))));
        EXPECT_TRUE(sameAsAddingOneByOne(sortedAlongX(shuffled(transposed(lines), 43))));
    }
    // Small sets on two eastings with nodes one or two units in the last
    // place beside them, where rounding decides the sign tests (and makes
    // arcs that swapTest would turn, so that check is left out).
    for (uint64_t seed = 1; seed <= 400; ++seed) {
        std::mt19937_64 rng(seed);
        const int32_t n = 20 + static_cast<int32_t>(rng() % 100);
        Mesh mesh;
        for (int32_t i = 0; i < n; ++i) {
            double x = 1000 + static_cast<double>(rng() % 2);
            const auto nudge = rng() % 4;
            if (nudge == 1)
                x = std::nextafter(x, 0.0);
            else if (nudge == 2)
                x = std::nextafter(std::nextafter(x, 0.0), 0.0);
            else if (nudge == 3)
                x = std::nextafter(x, 1e9);
            mesh.x.push_back(x);
            mesh.y.push_back(500000 + (seed % 2 ? 0.37 : 1e-6) * i);
        }
        ASSERT_TRUE(sameAsAddingOneByOne(sortedAlongX(shuffled(mesh, seed)), false))
            << "seed " << seed;
    }
}

TEST(EdgeBuild, DeclinesARepeatedNodeLeavingTheFirstLists) {
    Mesh mesh = sortedAlongX(uniformRandom(300, 9));
    mesh.x.insert(mesh.x.begin() + 150, mesh.x[149]);
    mesh.y.insert(mesh.y.begin() + 150, mesh.y[149]);
    const int32_t first = startOf(mesh);
    const Mesh before = mesh;
    EXPECT_FALSE(insertNodesByEdges(first, mesh.n(), mesh.x.data(), mesh.y.data(),
                                    mesh.adjacency.data(), mesh.adjacencyEnd.data()));
    EXPECT_EQ(mesh.adjacency, before.adjacency);
    const auto firstEnds = [first](const Mesh& m) {
        return std::vector<int32_t>(m.adjacencyEnd.begin(), m.adjacencyEnd.begin() + first - 1);
    };
    EXPECT_EQ(firstEnds(mesh), firstEnds(before));
    // The whole build then reports the repeat as addNode does.
    EXPECT_EQ(mesh.build(), BuildDuplicateNodes);
}

} // namespace
