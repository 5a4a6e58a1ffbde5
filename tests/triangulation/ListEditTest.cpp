// The list edits on their own: shifting, inserting a node into a triangle or
// at the hull, and the placement rule of a diagonal swap.

#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <gtest/gtest.h>
#include <numeric>

namespace {

using Ints = std::vector<int32_t>;

TEST(ShiftEntries, MovesEveryBlockLengthBothWays) {
    for (int32_t count = 0; count <= 12; ++count) {
        for (int32_t k : {-3, -1, 1, 2, 5}) {
            Ints array(30);
            std::iota(array.begin(), array.end(), 100);
            Ints expected = array;
            const int32_t first = 10, last = first + count - 1;
            for (int32_t p = first; p <= last; ++p)
                expected[p + k - 1] = array[p - 1];
            shiftEntries(first, last, k, array.data());
            EXPECT_EQ(array, expected) << count << " entries by " << k;
        }
    }
}

TEST(ShiftEntries, NothingForAnEmptyRangeOrZeroShift) {
    Ints array = {1, 2, 3};
    shiftEntries(3, 2, 1, array.data());
    shiftEntries(1, 3, 0, array.data());
    EXPECT_EQ(array, (Ints{1, 2, 3}));
}

// The square 1 (0,0), 2 (1,0), 3 (1,1), 4 (0,1) before node 4 is joined.
Mesh squareOfThree() {
    Mesh mesh;
    mesh.x = {0, 1, 1, 0, 0.5};
    mesh.y = {0, 0, 1, 1, 0.4};
    mesh.adjacency.assign(21, -1);
    mesh.adjacencyEnd.assign(5, -1);
    EXPECT_EQ(buildTriangulation(3, mesh.x.data(), mesh.y.data(), mesh.adjacency.data(),
                                 mesh.adjacencyEnd.data()),
              BuildOk);
    return mesh;
}

TEST(InsertNodes, BoundaryNodeJoinsTheVisibleHullNodes) {
    Mesh mesh = squareOfThree();
    insertBoundaryNode(4, 1, 3, mesh.adjacency.data(), mesh.adjacencyEnd.data());
    mesh.x.resize(4);
    mesh.y.resize(4);
    mesh.adjacency.resize(14);
    mesh.adjacencyEnd.resize(4);
    EXPECT_EQ(mesh.adjacency, (Ints{2, 3, 4, 0, 3, 1, 0, 4, 1, 2, 0, 1, 3, 0}));
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{4, 7, 11, 14}));
    EXPECT_TRUE(checkTopology(mesh));
}

TEST(InsertNodes, InteriorNodeFollowsTheNextVertexInEachList) {
    Mesh mesh = squareOfThree();
    insertBoundaryNode(4, 1, 3, mesh.adjacency.data(), mesh.adjacencyEnd.data());
    // Node 5 (0.5, 0.4) lies in triangle (1, 2, 3).
    insertInteriorNode(5, 1, 2, 3, mesh.adjacency.data(), mesh.adjacencyEnd.data());
    EXPECT_EQ(mesh.adjacency,
              (Ints{2, 5, 3, 4, 0, 3, 5, 1, 0, 4, 1, 5, 2, 0, 1, 3, 0, 1, 2, 3, -1}));
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{5, 9, 14, 17, 20}));
    EXPECT_EQ(neighbourPosition(3, 5, mesh.adjacency.data(), mesh.adjacencyEnd.data()), 12);
    EXPECT_EQ(neighbourPosition(5, 1, mesh.adjacency.data(), mesh.adjacencyEnd.data()), 18);

    // Arc 1-3 now fails the angle test; swapping it for 4-5 restores the
    // Delaunay lists.
    EXPECT_TRUE(swapTest(4, 5, 1, 3, mesh.x.data(), mesh.y.data()));
    swapDiagonal(4, 5, 1, 3, mesh.adjacency.data(), mesh.adjacencyEnd.data());
    mesh.adjacency.resize(20);
    EXPECT_EQ(mesh.adjacency, (Ints{2, 5, 4, 0, 3, 5, 1, 0, 4, 5, 2, 0, 1, 5, 3, 0, 4, 1, 2, 3}));
    EXPECT_EQ(mesh.adjacencyEnd, (Ints{4, 8, 12, 16, 20}));
    EXPECT_TRUE(checkTopology(mesh));
}

// Lists of four interior nodes given directly: swapDiagonal reads no
// coordinates, so these only need the arcs of the swap.
struct Lists {
    Ints adjacency, adjacencyEnd;
    void swap(int32_t nin1, int32_t nin2, int32_t nout1, int32_t nout2) {
        swapDiagonal(nin1, nin2, nout1, nout2, adjacency.data(), adjacencyEnd.data());
    }
};

TEST(SwapDiagonal, AllBoundaryNodesOfTheSquare) {
    Mesh square;
    square.x = {0, 1, 1, 0};
    square.y = {0, 0, 1, 1};
    ASSERT_EQ(square.build(), BuildOk);
    swapDiagonal(4, 2, 1, 3, square.adjacency.data(), square.adjacencyEnd.data());
    EXPECT_EQ(square.adjacency, (Ints{2, 4, 0, 3, 4, 1, 0, 4, 2, 0, 1, 2, 3, 0, -7}));
    EXPECT_EQ(square.adjacencyEnd, (Ints{3, 7, 10, 14}));
    square.adjacency.resize(14);
    EXPECT_TRUE(checkTopology(square)); // cocircular: either diagonal passes
}

// The remaining cases straddle the ends of circular lists; the lists are
// abstract (no coordinates), so they are compared entry by entry.

TEST(SwapDiagonal, OldEndsBelowNewEnds) {
    // New ends 1 (rank 1) and 4 (rank 2), old ends 2 and 3: node 1 takes 4
    // after node 2 (at its end), node 4 takes 1 before node 2 (at its start).
    Lists l{{3, 2, 1, 3, 4, 2, 4, 1, 2, 3}, {2, 5, 8, 10}};
    l.swap(1, 4, 2, 3);
    EXPECT_EQ(l.adjacency, (Ints{3, 2, 4, 1, 4, 4, 1, 1, 2, 3}));
    EXPECT_EQ(l.adjacencyEnd, (Ints{3, 5, 7, 10}));
}

TEST(SwapDiagonal, NewEndsBelowOldEnds) {
    // New ends 1 and 2, old ends 3 and 4: both new entries go at the end.
    Lists l{{4, 3, 3, 4, 4, 1, 2, 2, 3, 1}, {2, 4, 7, 10}};
    l.swap(1, 2, 3, 4);
    EXPECT_EQ(l.adjacency, (Ints{4, 3, 2, 3, 4, 1, 1, 2, 2, 1}));
    EXPECT_EQ(l.adjacencyEnd, (Ints{3, 6, 8, 10}));
}

TEST(SwapDiagonal, InterleavedEnds) {
    // New ends 1 and 3, old ends 2 and 4: each new entry goes at the end.
    Lists l{{4, 2, 1, 3, 4, 2, 4, 3, 2, 1}, {2, 5, 7, 10}};
    l.swap(1, 3, 2, 4);
    EXPECT_EQ(l.adjacency, (Ints{4, 2, 3, 1, 3, 2, 4, 1, 3, 1}));
    EXPECT_EQ(l.adjacencyEnd, (Ints{3, 5, 8, 10}));
}

TEST(SwapDiagonal, SameSwapGivenTheOtherWayRound) {
    Lists l{{3, 2, 1, 3, 4, 2, 4, 1, 2, 3}, {2, 5, 8, 10}};
    l.swap(4, 1, 3, 2);
    EXPECT_EQ(l.adjacency, (Ints{3, 2, 4, 1, 4, 4, 1, 1, 2, 3}));
    EXPECT_EQ(l.adjacencyEnd, (Ints{3, 5, 7, 10}));
}

} // namespace
