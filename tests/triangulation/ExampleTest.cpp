// The worked examples: three nodes in both orientations, the square, and
// point location on the three-node triangle.

#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using Ints = std::vector<int32_t>;

Mesh meshOf(std::vector<double> x, std::vector<double> y) {
    Mesh mesh;
    mesh.x = std::move(x);
    mesh.y = std::move(y);
    return mesh;
}

Mesh triangle() {
    Mesh mesh = meshOf({0, 1, 0}, {0, 0, 1});
    EXPECT_EQ(mesh.build(), BuildOk);
    return mesh;
}

PointLocation locate(const Mesh& m, int32_t start, double px, double py) {
    return locatePoint(m.n(), start, px, py, m.x.data(), m.y.data(), m.adjacency.data(),
                       m.adjacencyEnd.data());
}

Ints asInts(const PointLocation& at) {
    return {at.i1, at.i2, at.i3};
}

TEST(TriangulationExamples, ThirdNodeLeftOfFirstTwoReversesTheChain) {
    const Mesh mesh = triangle();
    EXPECT_EQ(mesh.adjacency, (Ints{2, 3, 0, 3, 1, 0, 1, 2, 0}));
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{3, 6, 9}));
    EXPECT_TRUE(checkTopology(mesh));
}

TEST(TriangulationExamples, ThirdNodeRightOfFirstTwoKeepsTheChain) {
    Mesh mesh = meshOf({0, 1, 0}, {0, 0, -1});
    ASSERT_EQ(mesh.build(), BuildOk);
    EXPECT_EQ(mesh.adjacency, (Ints{3, 2, 0, 1, 3, 0, 2, 1, 0}));
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{3, 6, 9}));
    EXPECT_TRUE(checkTopology(mesh));
}

TEST(TriangulationExamples, SquareKeepsTheDiagonalOfItsInsertionOrder) {
    Mesh mesh = meshOf({0, 1, 1, 0}, {0, 0, 1, 1});
    Mesh firstThree = meshOf({0, 1, 1}, {0, 0, 1});
    ASSERT_EQ(firstThree.build(), BuildOk);
    firstThree.x.push_back(0);
    firstThree.y.push_back(1);
    EXPECT_EQ(asInts(locate(firstThree, 3, 0, 1)), (Ints{1, 3, 0}));
    EXPECT_FALSE(swapTest(2, 4, 1, 3, mesh.x.data(), mesh.y.data()));

    ASSERT_EQ(mesh.build(), BuildOk);
    // 14 = 6N-6-NB positions filled; the last of the 6N-9 is left alone.
    EXPECT_EQ(mesh.adjacency, (Ints{2, 3, 4, 0, 3, 1, 0, 4, 1, 2, 0, 1, 3, 0, -7}));
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{4, 7, 11, 14}));
    EXPECT_TRUE(checkTopology(mesh));
}

TEST(TriangulationExamples, TooFewNodesTouchNothing) {
    Mesh mesh = meshOf({0, 1}, {0, 1});
    std::vector<int32_t> ends = {-5, -5};
    int32_t adjacency[3] = {-5, -5, -5};
    EXPECT_EQ(buildTriangulation(2, mesh.x.data(), mesh.y.data(), adjacency, ends.data()),
              BuildTooFewNodes);
    EXPECT_EQ(ends, (Ints{-5, -5}));
    EXPECT_EQ(adjacency[0], -5);
    EXPECT_EQ(buildTriangulation(0, nullptr, nullptr, nullptr, nullptr), BuildTooFewNodes);
}

TEST(TriangulationExamples, CollinearNodesAreReportedWithTheirOrderAlongTheLine) {
    // Node 4 lies before the left end, 5 between 1 and 3, 6 beyond the right
    // end, 7 on node 3 (placed before it) and 8 on the left end (before it).
    Mesh mesh = meshOf({2, 10, 6, 0, 4, 12, 6, 0}, {1, 5, 3, 0, 2, 6, 3, 0});
    mesh.adjacency.assign(static_cast<size_t>(adjacencySize(8)), -3);
    mesh.adjacencyEnd.assign(8, 0);
    EXPECT_EQ(buildTriangulation(8, mesh.x.data(), mesh.y.data(), mesh.adjacency.data(),
                                 mesh.adjacencyEnd.data()),
              BuildCollinear);
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{8, 4, 1, 5, 7, 3, 2, 6}));
    EXPECT_EQ(mesh.adjacency, Ints(39, -3));
}

TEST(TriangulationExamples, CollinearStartJoinsEveryChainNodeToTheFirstNodeOffTheLine) {
    Mesh mesh = meshOf({2, 10, 6, 0, 4, 12, 5}, {1, 5, 3, 0, 2, 6, -3});
    ASSERT_EQ(mesh.build(), BuildOk);
    // Chain along the line: 4, 1, 5, 3, 2, 6; node 7 lies right of it.
    EXPECT_EQ(mesh.list(7), (Ints{6, 2, 3, 5, 1, 4, 0}));
    EXPECT_EQ(mesh.list(4), (Ints{7, 1, 0}));
    EXPECT_EQ(mesh.list(5), (Ints{1, 7, 3, 0}));
    EXPECT_EQ(mesh.list(6), (Ints{2, 7, 0}));
    EXPECT_TRUE(checkTopology(mesh));
}

TEST(TriangulationExamples, NodeOutsideSeeingSeveralHullArcsMakesThemInterior) {
    // Node 6 sees the four upper hull arcs of nodes 1 to 5: nodes 2, 3 and 4
    // between its visible ends become interior; node 7 then adds a hull node.
    Mesh mesh = meshOf({0, 1, 2, 3, 4, 2, 2}, {0, 1, 1.2, 1, 0, 3, -10});
    ASSERT_EQ(mesh.build(), BuildOk);
    EXPECT_TRUE(checkTopology(mesh));
    EXPECT_EQ(mesh.boundaryCount(), 4);
    EXPECT_FALSE(mesh.isBoundary(2));
    EXPECT_FALSE(mesh.isBoundary(4));
}

TEST(PointLocationExamples, TriangleFromNodeOne) {
    const Mesh mesh = triangle();
    EXPECT_EQ(asInts(locate(mesh, 1, 0.25, 0.25)), (Ints{2, 3, 1}));
    EXPECT_EQ(asInts(locate(mesh, 1, 0.5, 0.5)), (Ints{3, 2, 0}));
    EXPECT_EQ(asInts(locate(mesh, 1, 1, 0)), (Ints{2, 1, 0}));
    EXPECT_EQ(asInts(locate(mesh, 1, 2, 0)), (Ints{3, 2, 0}));
    EXPECT_EQ(asInts(locate(mesh, 1, 0.5, -1)), (Ints{2, 1, 0}));
}

TEST(PointLocationExamples, InsidePointFromEveryStartIsTheSameTriangle) {
    const Mesh mesh = triangle();
    for (int32_t start : {-4, 0, 1, 2, 3, 4}) {
        const PointLocation at = locate(mesh, start, 0.25, 0.25);
        Ints rotated = asInts(at);
        while (rotated[0] != 2)
            std::rotate(rotated.begin(), rotated.begin() + 1, rotated.end());
        EXPECT_EQ(rotated, (Ints{2, 3, 1})) << "start " << start;
    }
}

TEST(PointLocationExamples, NoAnswerWithoutTriangulationOrForUnusablePoints) {
    const Mesh mesh = triangle();
    EXPECT_EQ(asInts(locate(mesh, 1, std::nan(""), 0)), (Ints{0, 0, 0}));
    EXPECT_EQ(asInts(locate(mesh, 1, 0, HUGE_VAL)), (Ints{0, 0, 0}));
    EXPECT_EQ(asInts(locate(mesh, 1, 2 * kMaxCoordinate, 0)), (Ints{0, 0, 0}));
    EXPECT_EQ(asInts(locatePoint(2, 1, 0, 0, mesh.x.data(), mesh.y.data(), mesh.adjacency.data(),
                                 mesh.adjacencyEnd.data())),
              (Ints{0, 0, 0}));
}

TEST(TriangulationExamples, UnusableInputIsRefusedUntouched) {
    Mesh mesh = meshOf({0, 1, 0, 5}, {0, 0, 1, std::nan("")});
    EXPECT_EQ(mesh.build(), BuildBadInput);
    EXPECT_EQ(mesh.adjacencyEnd, Ints(4, -7));
    mesh.y[3] = -HUGE_VAL;
    EXPECT_EQ(mesh.build(), BuildBadInput);
    mesh.y[3] = 1e76;
    EXPECT_EQ(mesh.build(), BuildBadInput);
    mesh.y[3] = 1e75;
    EXPECT_EQ(mesh.build(), BuildOk);
    EXPECT_TRUE(checkTopology(mesh));
    EXPECT_EQ(buildTriangulation(kMaxTriangulationNodes + 1, mesh.x.data(), mesh.y.data(),
                                 mesh.adjacency.data(), mesh.adjacencyEnd.data()),
              BuildBadInput);
}

TEST(TriangulationExamples, AdjacencySizeGuardsTheEntryType) {
    EXPECT_EQ(adjacencySize(3), 9);
    EXPECT_EQ(adjacencySize(1000), 5991);
    EXPECT_EQ(adjacencySize(2), 0);
    EXPECT_EQ(adjacencySize(-1), 0);
    EXPECT_EQ(adjacencySize(kMaxTriangulationNodes), 2147483643);
    EXPECT_EQ(adjacencySize(kMaxTriangulationNodes + int64_t{1}), 0);
    EXPECT_EQ(adjacencySize(int64_t{1} << 40), 0);
}

} // namespace
