// Properties of triangulations of generated node sets.

#include "PointSets.h"
#include "TopologyCheck.h"
#include "Triangulation.h"

#include <gtest/gtest.h>

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
