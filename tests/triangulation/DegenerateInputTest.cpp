// Inputs on which rounding decides: survey layouts at UTM size, nodes closer
// than any map could show, extents beyond the sign tests' range, and a
// triangulation whose lists no longer match its coordinates. Every call
// comes back, with a triangulation or with a reason.

#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Local survey coordinates (metres) rotated by `angle` and moved to UTM size,
// sorted along x without coinciding nodes, as the view hands them over.
Mesh atUtmSize(const std::vector<std::pair<double, double>>& local, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    std::vector<std::pair<double, double>> nodes;
    for (const auto& [east, north] : local)
        nodes.emplace_back(500000 + c * east - s * north, 6000000 + s * east + c * north);
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    Mesh mesh;
    for (const auto& [x, y] : nodes) {
        mesh.x.push_back(x);
        mesh.y.push_back(y);
    }
    return mesh;
}

TEST(DegenerateInput, RotatedRegularGridsAtUtmSize) {
    std::vector<std::pair<double, double>> grid;
    for (int i = 0; i < 30; ++i)
        for (int j = 0; j < 30; ++j)
            grid.emplace_back(25.0 * i, 25.0 * j);
    for (int k = 0; k < 24; ++k) {
        Mesh mesh = atUtmSize(grid, k * 0.131 + 1e-7);
        ASSERT_EQ(mesh.build(), BuildOk) << "angle " << k;
        EXPECT_TRUE(checkTopology(mesh)) << "angle " << k;
    }
}

TEST(DegenerateInput, NearlyCollinearSurveyLinesAtUtmSize) {
    std::vector<std::pair<double, double>> lines;
    for (int line = 0; line < 5; ++line)
        for (int i = 0; i < 150; ++i)
            lines.emplace_back(10.0 * i, 200.0 * line + ((i * 37) % 11 - 5) * 1e-9);
    for (int k = 0; k < 24; ++k) {
        Mesh mesh = atUtmSize(lines, k * 0.131 + 1e-7);
        ASSERT_EQ(mesh.build(), BuildOk) << "angle " << k;
        EXPECT_TRUE(checkTopology(mesh)) << "angle " << k;
    }
}

TEST(DegenerateInput, NodesWithinATrillionthOfEachOther) {
    // Near the origin, on binary fractions, the differences are exact: a
    // small but sound triangulation (the whole set spans less than 1e-12).
    Mesh tiny;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j) {
            tiny.x.push_back(std::ldexp(i, -43));
            tiny.y.push_back(std::ldexp(j, -43) + std::ldexp(i * i, -50));
        }
    ASSERT_EQ(tiny.build(), BuildOk);
    EXPECT_TRUE(checkTopology(tiny));

    // At UTM size they round to a handful of places on one line or one point.
    Mesh rounded;
    for (int i = 0; i < 50; ++i) {
        rounded.x.push_back(500000 + i * 2e-14);
        rounded.y.push_back(6000000 + (i % 7) * 2e-14);
    }
    const int result = rounded.build();
    EXPECT_TRUE(result == BuildCollinear || result == BuildDuplicateNodes) << result;
}

TEST(DegenerateInput, CoordinatesBeyondTheSignTestsRangeAreRefused) {
    Mesh huge;
    huge.x = {-1e300, 0, 1e300, 0};
    huge.y = {0, 1e300, 0, -1e300};
    EXPECT_EQ(huge.build(), BuildBadInput);
    // Within the range the same layout builds.
    for (double& v : huge.x)
        v *= 1e-226;
    for (double& v : huge.y)
        v *= 1e-226;
    ASSERT_EQ(huge.build(), BuildOk);
    EXPECT_TRUE(checkTopology(huge));

    // Coordinates so small that their products would underflow are refused
    // too; zero stays usable.
    Mesh tiny;
    tiny.x = {0, 6e-154, 6e-154, 3};
    tiny.y = {0, 6e-154, 6.0000001e-154, 0};
    EXPECT_EQ(tiny.build(), BuildBadInput);
    tiny.x = {0, 6e-70, 6e-70, 3};
    tiny.y = {0, 6e-70, 6.0000001e-70, 0};
    ASSERT_EQ(tiny.build(), BuildOk);
    EXPECT_TRUE(checkTopology(tiny));
}

TEST(DegenerateInput, WalksOverListsThatNoLongerMatchTheCoordinatesEnd) {
    Mesh mesh;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) {
            mesh.x.push_back(i + 0.01 * j);
            mesh.y.push_back(j + 0.013 * i);
        }
    ASSERT_EQ(mesh.build(), BuildOk);
    // Two interior nodes exchange places: the lists now cross themselves, and
    // this walk would circle for ever without its bound.
    std::swap(mesh.x[7], mesh.x[10]);
    std::swap(mesh.y[7], mesh.y[10]);
    const PointLocation at = locatePoint(mesh.n(), 3, 1.21, 3.79, mesh.x.data(), mesh.y.data(),
                                         mesh.adjacency.data(), mesh.adjacencyEnd.data());
    EXPECT_EQ(at.i1, 0);

    const std::vector<double> z(mesh.x.size(), 1.0);
    int32_t start = 3;
    double pz = -1;
    EXPECT_EQ(interpolateLinear(mesh.n(), 1.21, 3.79, mesh.x.data(), mesh.y.data(), z.data(),
                                mesh.adjacency.data(), mesh.adjacencyEnd.data(), start, pz),
              NoTriangle);
    EXPECT_EQ(pz, 0);
}

} // namespace
