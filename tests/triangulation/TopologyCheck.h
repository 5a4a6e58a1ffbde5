#pragma once
// Shared helpers of the triangulation tests: a triangulation held in
// vectors, and a full check of its lists.

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

struct Mesh {
    std::vector<double> x, y;
    std::vector<int32_t> adjacency, adjacencyEnd;

    int32_t n() const { return static_cast<int32_t>(x.size()); }
    int build(); // sizes the arrays and calls buildTriangulation
    // Node k's list (1-based node), boundary marker included.
    std::vector<int32_t> list(int32_t k) const;
    bool isBoundary(int32_t k) const { return adjacency[adjacencyEnd[k - 1] - 1] == 0; }
    int32_t firstNeighbour(int32_t k) const { return list(k).front(); }
    int32_t lastNonzeroNeighbour(int32_t k) const;
    int32_t boundaryCount() const;
    // P is left of or on the line from a to b (the package's own test).
    bool left(int32_t a, int32_t b, double px, double py) const;
};

// Every list counterclockwise and winding once, every arc in both end lists,
// every triangle in all three vertex lists, the counts 2n-2-NB triangles and
// 6n-6-NB positions, the hull convex and walkable both ways and enclosing all
// nodes, and swapTest false for every interior arc (left out with
// `delaunay` false, for sets so flat that rounding decides swapTest).
testing::AssertionResult checkTopology(const Mesh& mesh, bool delaunay = true);
