// buildTriangulation builds its lists in working storage and packs them at
// the end, and adds with addNode what that build declines; the arrays must
// be exactly those that adding the nodes one by one in place with addNode
// makes, entry for entry, on every kind of layout.

#include "PointSets.h"
#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <gtest/gtest.h>

namespace {

// The in-place build: the smallest leading set that is not collinear,
// triangulated by buildTriangulation (which then has nothing to add), and
// every further node added with addNode into the same arrays.
int buildInPlace(Mesh& mesh) {
    const int32_t n = mesh.n();
    mesh.adjacency.assign(static_cast<size_t>(adjacencySize(n)), -7);
    mesh.adjacencyEnd.assign(static_cast<size_t>(n), -7);
    int32_t spanning = 3;
    int result = BuildCollinear;
    for (; spanning <= n && result == BuildCollinear; ++spanning)
        result = buildTriangulation(spanning, mesh.x.data(), mesh.y.data(), mesh.adjacency.data(),
                                    mesh.adjacencyEnd.data());
    if (result != BuildOk)
        return result;
    for (int32_t node = spanning; node <= n; ++node) {
        switch (addNode(node, mesh.x.data(), mesh.y.data(), mesh.adjacency.data(),
                        mesh.adjacencyEnd.data())) {
        case BuildOk:
            break;
        case BuildDuplicateNodes:
            return BuildDuplicateNodes;
        default:
            return BuildDegenerate;
        }
    }
    return BuildOk;
}

// Builds `mesh` both ways and compares results and every used array entry.
testing::AssertionResult sameAsInPlace(const Mesh& mesh) {
    Mesh built = mesh, inPlace = mesh;
    const int32_t n = mesh.n();
    built.adjacency.assign(static_cast<size_t>(adjacencySize(n)), -7);
    built.adjacencyEnd.assign(static_cast<size_t>(n), -7);
    const int builtResult = buildTriangulation(n, built.x.data(), built.y.data(),
                                               built.adjacency.data(), built.adjacencyEnd.data());
    const int inPlaceResult = buildInPlace(inPlace);
    if (builtResult != inPlaceResult)
        return testing::AssertionFailure()
               << "results " << builtResult << " and " << inPlaceResult << " in place";
    if (builtResult != BuildOk)
        return testing::AssertionSuccess();
    if (built.adjacencyEnd != inPlace.adjacencyEnd)
        return testing::AssertionFailure() << "list ends differ";
    const size_t used = static_cast<size_t>(built.adjacencyEnd.back());
    for (size_t p = 0; p < built.adjacency.size(); ++p) {
        if (built.adjacency[p] != inPlace.adjacency[p])
            return testing::AssertionFailure()
                   << "entry " << p + 1 << " of " << used << ": " << built.adjacency[p]
                   << " instead of " << inPlace.adjacency[p];
    }
    return checkTopology(built);
}

TEST(BuildAgainstInPlace, SameListsAsInPlaceOnGeneratedLayouts) {
    for (const PointSet& set : generatedSets()) {
        SCOPED_TRACE(set.name);
        EXPECT_TRUE(sameAsInPlace(set.mesh));
    }
    // Larger sets: survey lines sorted along x (lists of the previous line
    // are edited long after their nodes came), a uniform set, and a sorted
    // grid full of cocircular quadruples where the insertion order decides
    // the diagonals.
    EXPECT_TRUE(sameAsInPlace(sortedAlongX(surveyLines(20, 150, 100, 10, 0.5, 7))));
    EXPECT_TRUE(sameAsInPlace(sortedAlongX(uniformRandom(5000, 11))));
    EXPECT_TRUE(sameAsInPlace(uniformRandom(3000, 12)));
    EXPECT_TRUE(sameAsInPlace(sortedAlongX(regularGrid(60, 50, 3))));
    EXPECT_TRUE(sameAsInPlace(regularGrid(40, 40, 9)));
}

// The build that makes its own array packs the lists in its working
// storage, and with a repeated node adds the nodes in that array. Same
// result and arrays, zeros after the lists.
testing::AssertionResult ownArraySameAsCallers(const Mesh& mesh) {
    Mesh callers = mesh;
    const int32_t n = mesh.n();
    callers.adjacency.assign(static_cast<size_t>(adjacencySize(n)), 0);
    callers.adjacencyEnd.assign(static_cast<size_t>(n), 0);
    const int callersResult =
        buildTriangulation(n, callers.x.data(), callers.y.data(), callers.adjacency.data(),
                           callers.adjacencyEnd.data());
    Mesh own = mesh;
    own.adjacencyEnd.assign(static_cast<size_t>(n), 0);
    const int ownResult =
        buildTriangulation(n, own.x.data(), own.y.data(), own.adjacency, own.adjacencyEnd.data());
    if (ownResult != callersResult)
        return testing::AssertionFailure() << "results " << ownResult << " and " << callersResult;
    if (ownResult == BuildCollinear || ownResult == BuildTooFewNodes || ownResult == BuildBadInput)
        return testing::AssertionSuccess();
    if (own.adjacencyEnd != callers.adjacencyEnd)
        return testing::AssertionFailure() << "list ends differ";
    if (own.adjacency != callers.adjacency)
        return testing::AssertionFailure() << "lists differ";
    return ownResult == BuildOk ? checkTopology(own) : testing::AssertionSuccess();
}

TEST(BuildAgainstInPlace, OwnArrayHoldsTheSameListsAsTheCallers) {
    for (const PointSet& set : generatedSets()) {
        SCOPED_TRACE(set.name);
        EXPECT_TRUE(ownArraySameAsCallers(set.mesh));
    }
    EXPECT_TRUE(ownArraySameAsCallers(sortedAlongX(surveyLines(20, 150, 100, 10, 0.5, 7))));
    EXPECT_TRUE(ownArraySameAsCallers(uniformRandom(20000, 13)));
    EXPECT_TRUE(ownArraySameAsCallers(sortedAlongX(regularGrid(60, 50, 3))));
    for (int32_t n = 3; n <= 12; ++n)
        EXPECT_TRUE(ownArraySameAsCallers(uniformRandom(n, 40 + static_cast<uint64_t>(n))));
    Mesh repeated = uniformRandom(200, 5);
    repeated.x.push_back(repeated.x[120]);
    repeated.y.push_back(repeated.y[120]);
    EXPECT_TRUE(ownArraySameAsCallers(repeated));
}

TEST(BuildAgainstInPlace, SameListsForSmallSetsAndCollinearStarts) {
    for (int32_t n = 3; n <= 14; ++n) {
        for (uint64_t seed = 1; seed <= 25; ++seed) {
            ASSERT_TRUE(sameAsInPlace(uniformRandom(n, seed * 31 + n))) << n << " seed " << seed;
            ASSERT_TRUE(sameAsInPlace(sortedAlongX(uniformRandom(n, seed * 17 + n))))
                << n << " sorted, seed " << seed;
        }
    }
    // Long collinear runs before the first node off the line, with further
    // nodes after it, and every node on a line except one in between.
    for (int32_t onLine : {3, 4, 9, 40}) {
        for (int32_t offAt : {1, onLine / 2, onLine}) {
            Mesh mesh = collinearWithOneOff(onLine, offAt, static_cast<uint64_t>(onLine + offAt));
            const Mesh more = uniformRandom(30, static_cast<uint64_t>(onLine));
            mesh.x.insert(mesh.x.end(), more.x.begin(), more.x.end());
            mesh.y.insert(mesh.y.end(), more.y.begin(), more.y.end());
            EXPECT_TRUE(sameAsInPlace(mesh)) << onLine << " on the line, off at " << offAt;
        }
    }
}

TEST(BuildAgainstInPlace, SameResultWhenANodeRepeatsAnEarlierOne) {
    Mesh mesh = uniformRandom(200, 5);
    mesh.x.push_back(mesh.x[120]);
    mesh.y.push_back(mesh.y[120]);
    EXPECT_TRUE(sameAsInPlace(mesh));
    Mesh grid = sortedAlongX(regularGrid(10, 10, 2));
    grid.x.insert(grid.x.begin() + 50, grid.x[49]);
    grid.y.insert(grid.y.begin() + 50, grid.y[49]);
    Mesh built = grid;
    EXPECT_EQ(built.build(), BuildDuplicateNodes);
    EXPECT_TRUE(sameAsInPlace(grid));
}

} // namespace
