// Linear interpolation: the worked examples, exactness for linear data, node
// values, and the extension beyond the hull.

#include "PointSets.h"
#include "TopologyCheck.h"
#include "triangulation/Triangulation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Sample {
    int result;
    double value;
    int32_t start;
};

Sample interpolate(const Mesh& m, const std::vector<double>& z, double px, double py,
                   int32_t start) {
    Sample s{0, -99, start};
    s.result = interpolateLinear(m.n(), px, py, m.x.data(), m.y.data(), z.data(),
                                 m.adjacency.data(), m.adjacencyEnd.data(), s.start, s.value);
    return s;
}

Mesh triangle() {
    Mesh m;
    m.x = {0, 1, 0};
    m.y = {0, 0, 1};
    EXPECT_EQ(m.build(), BuildOk);
    return m;
}

TEST(Barycentric, CoordinatesOfTheWorkedTriangle) {
    double b1 = 7, b2 = 7, b3 = 7;
    EXPECT_EQ(barycentricCoordinates(0.25, 0.25, 1, 0, 0, 0, 1, 0, b1, b2, b3), 0);
    EXPECT_EQ(b1, 0.25);
    EXPECT_EQ(b2, 0.25);
    EXPECT_EQ(b3, 0.5);
    b1 = b2 = b3 = 7;
    EXPECT_EQ(barycentricCoordinates(0.25, 0.25, 0, 1, 2, 0, 1, 2, b1, b2, b3), 1);
    EXPECT_EQ(b1, 7);
}

TEST(Interpolation, WorkedExamplesOnTheTriangle) {
    const Mesh m = triangle();
    const std::vector<double> z = {0, 1, 2};
    Sample s = interpolate(m, z, 0.25, 0.25, 1);
    EXPECT_EQ(s.result, Interpolated);
    EXPECT_EQ(s.value, 0.75);
    EXPECT_EQ(s.start, 2);

    s = interpolate(m, z, 0.5, 0.5, 1);
    EXPECT_EQ(s.result, Extrapolated);
    EXPECT_EQ(s.value, 1.5);
    s = interpolate(m, z, 1, 0, 1);
    EXPECT_EQ(s.result, Extrapolated);
    EXPECT_EQ(s.value, 1);
    s = interpolate(m, z, 0, 0, 1);
    EXPECT_EQ(s.result, Extrapolated);
    EXPECT_EQ(s.value, 0);
    s = interpolate(m, z, 2, 0, 1);
    EXPECT_EQ(s.result, Extrapolated);
    EXPECT_EQ(s.value, 1);
    s = interpolate(m, z, 0.5, -1, 1);
    EXPECT_EQ(s.result, Extrapolated);
    EXPECT_EQ(s.value, 0.5);
    EXPECT_TRUE(checkTopology(m));
}

TEST(Interpolation, BadArgumentsLeaveTheStartAlone) {
    const Mesh m = triangle();
    const std::vector<double> z = {0, 1, 2};
    for (int32_t start : {0, 4, -1}) {
        const Sample s = interpolate(m, z, 0.25, 0.25, start);
        EXPECT_EQ(s.result, BadArgument);
        EXPECT_EQ(s.value, 0);
        EXPECT_EQ(s.start, start);
    }
    int32_t start = 1;
    double pz = 5;
    EXPECT_EQ(interpolateLinear(2, 0.2, 0.2, m.x.data(), m.y.data(), z.data(), m.adjacency.data(),
                                m.adjacencyEnd.data(), start, pz),
              BadArgument);
    EXPECT_EQ(pz, 0);
    for (double bad : {std::nan(""), HUGE_VAL, -2 * kMaxCoordinate}) {
        const Sample s = interpolate(m, z, bad, 0.25, 1);
        EXPECT_EQ(s.result, BadArgument);
        EXPECT_EQ(s.start, 1);
    }
    EXPECT_TRUE(checkTopology(m));
}

TEST(Interpolation, ReproducesLinearDataAndNodeValues) {
    std::vector<PointSet> sets = {
        {"uniform", uniformRandom(400, 21)},
        {"grid", sortedAlongX(regularGrid(20, 15, 2))},
        {"survey lines", sortedAlongX(surveyLines(8, 30, 100, 10, 1, 3))},
        {"clustered", clustered(400, 5)},
    };
    for (PointSet& set : sets) {
        SCOPED_TRACE(set.name);
        Mesh& m = set.mesh;
        ASSERT_EQ(m.build(), BuildOk);
        std::vector<double> z;
        for (int32_t i = 0; i < m.n(); ++i)
            z.push_back(3 + 0.5 * m.x[i] - 2 * m.y[i]);

        // Inside the hull the surface is exactly the plane; carrying the start
        // node only shortens the walk.
        std::mt19937_64 rng(8);
        std::uniform_real_distribution<double> spread(-100, 1100);
        int32_t carried = 1;
        for (int i = 0; i < 2000; ++i) {
            const double px = spread(rng), py = spread(rng);
            const Sample fresh = interpolate(m, z, px, py, 1);
            const Sample walked = interpolate(m, z, px, py, carried);
            carried = walked.start;
            ASSERT_EQ(fresh.result, walked.result);
            if (fresh.result == Interpolated) {
                EXPECT_NEAR(fresh.value, 3 + 0.5 * px - 2 * py, 1e-9);
                EXPECT_NEAR(walked.value, fresh.value, 1e-9);
            }
        }
        // At every node its own value: at an interior node through a triangle
        // with the node as first vertex; a hull node may come back as inside
        // or as outside.
        for (int32_t k = 1; k <= m.n(); ++k) {
            const Sample s = interpolate(m, z, m.x[k - 1], m.y[k - 1], carried);
            carried = s.start;
            if (!m.isBoundary(k)) {
                EXPECT_EQ(s.result, Interpolated) << "node " << k;
                EXPECT_EQ(s.start, k);
            } else {
                EXPECT_NE(s.result, NoTriangle) << "node " << k;
            }
            EXPECT_NEAR(s.value, z[k - 1], 1e-9 * (1 + std::fabs(z[k - 1])));
        }
        EXPECT_TRUE(checkTopology(m));
    }
}

TEST(Interpolation, OutsideTakesTheNearestHullPoint) {
    // Square 0..10 with values x + 100 y at its corners.
    Mesh m;
    m.x = {0, 10, 10, 0, 5};
    m.y = {0, 0, 10, 10, 5};
    ASSERT_EQ(m.build(), BuildOk);
    const std::vector<double> z = {0, 10, 1010, 1000, 505};
    struct Case {
        double px, py, expected;
    };
    for (const Case& c : {Case{5, -3, 5}, Case{13, 4, 410}, Case{-2, -2, 0}, Case{12, 12, 1010},
                          Case{-1, 5, 500}, Case{3, 10, 1003}}) {
        const Sample s = interpolate(m, z, c.px, c.py, 5);
        EXPECT_EQ(s.result, Extrapolated) << c.px << ", " << c.py;
        EXPECT_NEAR(s.value, c.expected, 1e-12) << c.px << ", " << c.py;
    }
    EXPECT_TRUE(checkTopology(m));
}

} // namespace
