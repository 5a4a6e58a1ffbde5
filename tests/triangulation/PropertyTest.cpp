// Properties of triangulations of generated node sets.

#include "PointSets.h"
#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(TriangulationProperties, GeneratedLayouts) {
    for (PointSet& set : generatedSets()) {
        SCOPED_TRACE(set.name);
        ASSERT_EQ(set.mesh.build(), BuildOk);
        EXPECT_TRUE(checkTopology(set.mesh));
    }
}

TEST(TriangulationProperties, SmallSetsFromThreeNodes) {
    for (int32_t n = 3; n <= 12; ++n) {
        for (uint64_t seed = 1; seed <= 40; ++seed) {
            Mesh mesh = uniformRandom(n, seed * 100 + n);
            ASSERT_EQ(mesh.build(), BuildOk);
            ASSERT_TRUE(checkTopology(mesh)) << n << " nodes, seed " << seed;
        }
    }
}

TEST(TriangulationProperties, SmallGridsInEveryOrder) {
    for (int32_t columns = 2; columns <= 5; ++columns) {
        for (uint64_t seed = 1; seed <= 30; ++seed) {
            Mesh mesh = regularGrid(columns, 3, seed);
            ASSERT_EQ(mesh.build(), BuildOk);
            ASSERT_TRUE(checkTopology(mesh)) << columns << " columns, seed " << seed;
        }
    }
}

TEST(TriangulationProperties, CollinearNodesWithOneOffTheLine) {
    for (int32_t onLine = 2; onLine <= 9; ++onLine) {
        for (int32_t offAt = 0; offAt <= onLine; ++offAt) {
            for (uint64_t seed = 1; seed <= 6; ++seed) {
                Mesh mesh = collinearWithOneOff(onLine, offAt, seed);
                ASSERT_EQ(mesh.build(), BuildOk);
                ASSERT_TRUE(checkTopology(mesh))
                    << onLine << " on the line, off-line node at " << offAt << ", seed " << seed;
                // Every node on the line stays on the hull.
                EXPECT_EQ(mesh.boundaryCount(), onLine + 1);
            }
        }
    }
}

TEST(TriangulationProperties, AllCollinearIsRefusedWithTheLineOrder) {
    for (uint64_t seed = 1; seed <= 10; ++seed) {
        Mesh line = collinearWithOneOff(7, 0, seed);
        line.x.erase(line.x.begin());
        line.y.erase(line.y.begin());
        EXPECT_EQ(line.build(), BuildCollinear);
        // The nodes come back ordered along the line, one way or the other.
        std::vector<double> along;
        for (int32_t node : line.adjacencyEnd)
            along.push_back(line.x[node - 1]);
        EXPECT_TRUE(std::is_sorted(along.begin(), along.end()) ||
                    std::is_sorted(along.rbegin(), along.rend()));
        Mesh jittered = line;
        jittered.y[3] += 1e-9;
        ASSERT_EQ(jittered.build(), BuildOk);
        EXPECT_TRUE(checkTopology(jittered));
    }
}

TEST(TriangulationProperties, LargerSortedSets) {
    Mesh survey = sortedAlongX(surveyLines(30, 100, 100, 10, 1, 7));
    ASSERT_EQ(survey.build(), BuildOk);
    EXPECT_TRUE(checkTopology(survey));
    Mesh grid = sortedAlongX(regularGrid(60, 50, 3));
    ASSERT_EQ(grid.build(), BuildOk);
    EXPECT_TRUE(checkTopology(grid));
}

} // namespace

namespace {

// Nodes drawn from a small integer lattice: many coincide, many are
// collinear or cocircular.
Mesh latticeNodes(int32_t n, uint64_t seed) {
    std::mt19937_64 rng(seed);
    Mesh mesh;
    for (int32_t i = 0; i < n; ++i) {
        mesh.x.push_back(static_cast<double>(rng() % 6));
        mesh.y.push_back(static_cast<double>(rng() % 6));
    }
    return mesh;
}

bool hasCoincidingNodes(const Mesh& m) {
    for (int32_t a = 0; a < m.n(); ++a) {
        for (int32_t b = a + 1; b < m.n(); ++b) {
            if (m.x[a] == m.x[b] && m.y[a] == m.y[b])
                return true;
        }
    }
    return false;
}

TEST(TriangulationProperties, CoincidingNodesAreRefused) {
    for (uint64_t seed = 1; seed <= 1500; ++seed) {
        Mesh mesh = latticeNodes(static_cast<int32_t>(3 + seed % 30), seed);
        const int result = mesh.build();
        if (result == BuildCollinear)
            continue;
        ASSERT_EQ(result, hasCoincidingNodes(mesh) ? BuildDuplicateNodes : BuildOk)
            << "seed " << seed;
        if (result == BuildOk) {
            ASSERT_TRUE(checkTopology(mesh)) << "seed " << seed;
        }
    }
    // Coinciding nodes in the collinear start, then a node off the line.
    Mesh start;
    start.x = {0, 1, 1, 5};
    start.y = {0, 1, 1, 0};
    EXPECT_EQ(start.build(), BuildDuplicateNodes);
    start.x[2] = 2;
    start.y[2] = 2;
    ASSERT_EQ(start.build(), BuildOk);
    EXPECT_TRUE(checkTopology(start));
}

} // namespace
